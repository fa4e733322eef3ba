#!/usr/bin/python3
"""Every character a dictionary may list has a glyph in the faces Orvalen's
Wine prefix draws the window's font with (scripts/wine-run --fonts): else
the window shows it as a box.

Usage: font_coverage_test.py WINE_RUN DICTIONARY...
"""
import subprocess
import sys

from fontTools.ttLib import TTCollection, TTFont


def keys(path):
    """The characters a dictionary's lines start with (code page 936)."""
    found = []
    with open(path, "rb") as lines:
        for number, line in enumerate(lines, 1):
            key = line.split(b" ", 1)[0].rstrip(b"\r\n")
            if not key:
                continue
            try:
                found.append(key.decode("gbk"))
            except UnicodeDecodeError:
                sys.exit(f"{path}:{number}: the key is not code page 936 text")
    return found


def face_characters(file, face):
    """The code points `face` in the font file `file` maps to glyphs."""
    fonts = TTCollection(file, lazy=True).fonts if file.lower().endswith((".ttc", ".otc")) else [TTFont(file, lazy=True)]
    for font in fonts:
        names = {record.toUnicode() for record in font["name"].names if record.nameID in (1, 16)}
        if face in names:
            return set(font.getBestCmap())
    sys.exit(f"{file} holds no face named {face!r}")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    listing = subprocess.run([sys.argv[1], "--fonts"], capture_output=True, text=True)
    if listing.returncode != 0 or not listing.stdout.strip():
        sys.exit(f"{sys.argv[1]} --fonts failed:\n{listing.stderr}")
    faces = [line.split("\t", 1) for line in listing.stdout.splitlines()]
    covered = set()
    for file, face in faces:
        covered |= face_characters(file, face)

    failed = False
    for path in sys.argv[2:]:
        characters = keys(path)
        missing = [c for c in characters if ord(c) not in covered]
        print(f"{path}: {len(characters)} keys, {len(missing)} without a glyph in "
              + ", ".join(face for _, face in faces))
        if missing:
            print("  for example: " + " ".join(f"{c} (U+{ord(c):04X})" for c in missing[:20]))
            failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
