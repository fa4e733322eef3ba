"""The readings file: each character's pinyin and a few common words.

Pinyin comes from Unihan: kMandarin first, then the readings of
kHanyuPinlu, most counted first, then those of kHanyuPinyin in its order.
Words come from a word-frequency list (jieba's dict.txt: word, count,
part of speech); a traditional character takes the words of the list
turned into traditional form by OpenCC, which picks each character's
traditional form by the word around it (头发 頭髮, 发展 發展).
"""

import re
import subprocess
import unicodedata
from pathlib import Path

from . import sources

WORD_LIST = Path("/usr/lib/python3/dist-packages/jieba/dict.txt")
OPENCC_CONFIG = "s2t.json"
WORDS_PER_CHARACTER = 3
# Words of two characters are what a teacher asks for (未来, 周末); longer
# ones (世纪末) fill up when there are too few.
SHORT_WORD = 2
LONGEST_WORD = 4
# Parts of speech of names of people, places and organisations: such a
# word is taken only when there are too few others (廖 has only names).
NAME_TAGS = ("nr", "ns", "nt")
# Parts of speech left out: strings that are not words.
LEFT_OUT_TAGS = ("x",)
# Readings that Unihan gives besides the three fields, taken only for a
# character that has none of them.
FALLBACK_FIELDS = ("kTGHZ2013", "kXHC1983")
TONE_MARKS = {"\u0304": "1", "\u0301": "2", "\u030c": "3", "\u0300": "4"}
_PINLU_ITEM = re.compile(r"^(.+)\((\d+)\)$")
# The CJK unified ideographs code page 936 can write lie in these blocks.
_IDEOGRAPHS = re.compile("[\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff]+")


def _syllables(field, value):
    """The readings one Unihan field gives, in the order they count."""
    if field == "kMandarin":
        return value.split()
    if field == "kHanyuPinlu":
        counted = []
        for item in value.split():
            match = _PINLU_ITEM.match(item)
            if match:
                counted.append((-int(match.group(2)), len(counted), match.group(1)))
        return [syllable for _, _, syllable in sorted(counted)]
    # kHanyuPinyin, kTGHZ2013, kXHC1983: "location:reading,reading location:reading"
    return [syllable for item in value.split() for syllable in item.partition(":")[2].split(",")
            if syllable]


def merge_readings(fields):
    """Every reading of a character once, most common first, from
    {field: Unihan value}."""
    readings = []
    for field in ("kMandarin", "kHanyuPinlu", "kHanyuPinyin"):
        if field in fields:
            readings += _syllables(field, fields[field])
    if not readings:
        for field in FALLBACK_FIELDS:
            if field in fields:
                readings += _syllables(field, fields[field])
    return list(dict.fromkeys(readings))


def read_readings(unicode_dir=sources.UNICODE_DATA_DIR):
    """{ideograph: [readings, most common first]} from Unihan."""
    wanted = ("kMandarin", "kHanyuPinlu", "kHanyuPinyin") + FALLBACK_FIELDS
    fields = {}
    for character, field, value in sources.unihan_entries(
            Path(unicode_dir) / "Unihan_Readings.txt.bz2", wanted):
        fields.setdefault(character, {})[field] = value
    return {character: merge_readings(values) for character, values in fields.items()}


def read_mandarin(unicode_dir=sources.UNICODE_DATA_DIR):
    """{ideograph: its kMandarin reading}."""
    return {character: value.split()[0] for character, _, value in sources.unihan_entries(
        Path(unicode_dir) / "Unihan_Readings.txt.bz2", ("kMandarin",))}


def gbk_syllable(syllable):
    """A reading as code page 936 can write it: as it is, or, when a toned
    letter has no code page 936 form (ê̄, ḿ, ǹ), its letters without the
    tone mark and the tone as a digit (ê1, m2, ng4)."""
    try:
        syllable.encode("gbk")
        return syllable
    except UnicodeEncodeError:
        pass
    tone = ""
    letters = []
    for letter in unicodedata.normalize("NFD", syllable):
        if letter in TONE_MARKS:
            tone = TONE_MARKS[letter]
        else:
            letters.append(letter)
    return unicodedata.normalize("NFC", "".join(letters)) + tone


def parse_word_list(text):
    """[(word, count, is a name)] of a word-frequency list, in its order,
    without left-out parts of speech, words of one character and words
    that are not all CJK ideographs."""
    words = []
    for line in text.splitlines():
        fields = line.split()
        if len(fields) < 2 or not fields[1].isdigit():
            continue
        tag = fields[2] if len(fields) > 2 else ""
        if tag.startswith(LEFT_OUT_TAGS) or not SHORT_WORD <= len(fields[0]) <= LONGEST_WORD:
            continue
        if _IDEOGRAPHS.fullmatch(fields[0]):
            words.append((fields[0], int(fields[1]), tag.startswith(NAME_TAGS)))
    return words


def traditional_forms(words, config=OPENCC_CONFIG):
    """The words in traditional form, one for each, by OpenCC's command
    line tool (Debian: opencc)."""
    text = "".join(word + "\n" for word in words)
    try:
        done = subprocess.run(["opencc", "-c", config], input=text.encode("utf-8"),
                              capture_output=True, check=True)
    except FileNotFoundError:
        raise SystemExit("opencc is needed to put words in traditional form (Debian: opencc)")
    except subprocess.CalledProcessError as error:
        raise SystemExit(f"opencc failed (exit status {error.returncode}): "
                         f"{error.stderr.decode('utf-8', 'replace').strip()}")
    converted = done.stdout.decode("utf-8").split("\n")[:len(words)]
    if len(converted) != len(words):
        raise SystemExit("opencc gave fewer lines than it was given")
    return converted


def choose_words(candidates):
    """Up to WORDS_PER_CHARACTER of [(word, count, is a name)] (in list
    order): the most counted two-character words, then longer ones, then
    names, when there are too few; names last, the rest most counted
    first."""
    def preference(item):
        position, (word, count, name) = item
        return (name, len(word) != SHORT_WORD, -count, position)

    chosen = sorted(enumerate(candidates), key=preference)[:WORDS_PER_CHARACTER]
    chosen.sort(key=lambda item: (item[1][2], -item[1][1], item[0]))
    return [word for _, (word, _, _) in chosen]


def _writable(word, allowed):
    return allowed.issuperset(word)


def words_by_character(characters, simplified_count, word_list, traditional):
    """{character: [words]} for `characters` (the first `simplified_count`
    are GB2312's, the rest outside it).  Each character takes the words of
    the list that hold it, and the words whose traditional form
    (`traditional`, one for each word) holds it where the word did not:
    後 takes 後來 from 后来, 車 takes 汽車 from 汽车.  Only words that code
    page 936 writes; a GB2312 character's words from the list itself are
    GB2312 through and through."""
    simplified = set(characters[:simplified_count])
    every = set(characters)
    candidates = {}
    for (word, count, name), converted in zip(word_list, traditional):
        if _writable(word, every):
            for character in dict.fromkeys(word):
                if character not in simplified or _writable(word, simplified):
                    candidates.setdefault(character, {}).setdefault(word, (count, name))
        if converted != word and _writable(converted, every):
            for character in dict.fromkeys(converted):
                if character not in word:
                    candidates.setdefault(character, {}).setdefault(converted, (count, name))
    return {character: choose_words([(word, count, name) for word, (count, name)
                                     in candidates.get(character, {}).items()])
            for character in characters}


def format_readings(characters, readings, words):
    """The readings file's bytes: per character, in the given order, the
    character, a tab, its readings, a tab and its words, in code page 936."""
    lines = []
    for character in characters:
        pinyin = " ".join(gbk_syllable(syllable) for syllable in readings.get(character, []))
        lines.append(f"{character}\t{pinyin}\t{' '.join(words.get(character, []))}\n")
    return "".join(lines).encode("gbk")


def parse_readings(data):
    """[(character, [readings], [words])] of a readings file."""
    entries = []
    for line in data.decode("gbk").split("\n")[:-1]:
        character, pinyin, words = line.split("\t")
        entries.append((character, pinyin.split(), words.split()))
    return entries


def check_readings(data, characters):
    """Faults of a readings file against its characters (hz-gbk.txt's, in
    order): the format, and words that do not hold their character."""
    try:
        text = data.decode("gbk")
    except UnicodeDecodeError as error:
        return [f"not code page 936 at byte {error.start}"]
    if text and not text.endswith("\n"):
        return ["the last line has no line feed"]
    faults = []
    lines = text.split("\n")[:-1]
    if len(lines) != len(characters):
        faults.append(f"{len(lines)} lines for {len(characters)} characters")
    for number, (line, character) in enumerate(zip(lines, characters), start=1):
        fields = line.split("\t")
        if len(fields) != 3 or fields[0] != character:
            faults.append(f"line {number}: expected {character}, a tab, readings, a tab, words")
        elif any(character not in word for word in fields[2].split(" ") if word) or \
                "  " in fields[1] + fields[2] or len(fields[2].split()) > WORDS_PER_CHARACTER:
            faults.append(f"line {number}: words that lack {character}, or bad spacing")
        if len(faults) >= 10:
            break
    return faults


def build_readings(characters, simplified_count, unicode_dir=sources.UNICODE_DATA_DIR,
                   word_list_path=WORD_LIST):
    """The readings file's bytes for `characters` (hz-gbk.txt's, in order)."""
    try:
        word_list = parse_word_list(Path(word_list_path).read_text(encoding="utf-8"))
    except OSError:
        raise SystemExit(f"{word_list_path} is missing: install the Debian package python3-jieba")
    traditional = traditional_forms([word for word, _, _ in word_list])
    words = words_by_character(characters, simplified_count, word_list, traditional)
    return format_readings(characters, read_readings(unicode_dir), words)
