"""The differences file: how to tell a listed character from the query.

For each pair a dictionary lists closely, a kind of difference and a short
phrase a teacher would say about the listed character, derived from the
decompositions and stroke counts the code scheme uses:

  stroke_more     one is the other plus a stroke or two (大 太, 日 目)
  stroke_differs  the same strokes, one of another length, shape or
                  place (未 末, 土 士, 己 已, 人 入)
  arrangement     the same parts placed differently (忙 忘, 呆 杏)
  radical         another radical, the rest the same (请 清, 读 续)
  other_part      the same radical, another other part (拨 拔, 贷 货)
  other           none of these
"""

import collections
import hashlib
import unicodedata
from pathlib import Path

from . import scheme as scheme_module
from . import similar

KINDS = ("stroke_more", "stroke_differs", "arrangement", "radical", "other_part", "other")
# The pairs recorded: those among the first CLOSE_GROUPS score groups of a
# list, and among its first CLOSE_CHARACTERS characters.
CLOSE_GROUPS = 2
CLOSE_CHARACTERS = 8
# Parts of at most this many strokes that differ, in characters of the same
# stroke count, are a stroke or two drawn otherwise (己 巳: コ 尸), not
# another part.
SMALL_PART_STROKES = 3
# Two parts in the same place whose glyphs are at least this alike (the
# cosine of the blurred glyphs, glyphs.Ink) are one drawn otherwise, not
# another part.  Small characters (of at most FALLBACK_STROKES strokes)
# whose decompositions tell nothing are a stroke or two apart when their
# glyphs are at least WHOLE_LIKENESS alike.  Tuned on the tuning half of
# difference-pairs.txt.
PART_LIKENESS = 0.85
WHOLE_LIKENESS = 0.6
FALLBACK_STROKES = 7
# At most this many strokes more make "a stroke or two more".
MORE_STROKES = 2
# Structures whose parts stand apart, so that one part can be a radical
# beside or above the rest; not those whose parts cross or lock (車 東).
SEPARATE_STRUCTURES = ("a", "d", "s", "st", "sb", "sl", "sr", "stl", "str", "sbl", "sbr")
STROKE_NAMES = {"丶": "点", "一": "横", "丨": "竖", "丿": "撇", "㇏": "捺", "乀": "捺", "乚": "竖弯钩",
                "亅": "竖钩", "乙": "横折弯钩", "㇀": "提", "𠃍": "横折", "㇇": "横撇", "乛": "横钩",
                "㇄": "竖折", "𠃊": "竖折", "乁": "斜钩", "㇂": "斜钩"}
NUMBERS = {1: "一", 2: "两", 3: "三"}
COPIES = {2: "两", 3: "三", 4: "四"}


def structure(kind):
    """The structure type without its touching or merging suffix."""
    return kind.partition("/")[0]


def position_name(kind, index, count):
    """Where the part at `index` of `count` sits in a structure: 左 右 上 下
    中 外 里."""
    base = structure(kind)
    if base == "a":
        return "左" if index == 0 else "右" if index == count - 1 else "中"
    if base == "d":
        return "上" if index == 0 else "下" if index == count - 1 else "中"
    if base.startswith(("s", "w")):
        return "外" if index == 0 else "里"
    return ""


def stroke_name(unit):
    """A teacher's name for a stroke: 点, 横, 竖 ...; 笔 when unknown."""
    if unit in STROKE_NAMES:
        return STROKE_NAMES[unit]
    name = unicodedata.name(unit, "") if len(unit) == 1 else ""
    if name.startswith("CJK STROKE "):
        letters = name[len("CJK STROKE "):]
        simple = {"H": "横", "S": "竖", "P": "撇", "D": "点", "N": "捺", "T": "提"}
        if letters in simple:
            return simple[letters]
        if letters.endswith("G"):
            return "钩"
        return "折"
    return "笔"


class Differ:
    """Tells pairs of characters apart with a code scheme's decompositions,
    radicals and stroke counts."""

    def __init__(self, scheme, ink=None, part_likeness=PART_LIKENESS,
                 whole_likeness=WHOLE_LIKENESS, fallback_strokes=FALLBACK_STROKES):
        """`ink`: a glyphs.Ink, which tells parts and small characters that
        look alike; without it, parts of few strokes count as alike."""
        self.scheme = scheme
        self.ink = ink
        self.part_likeness = part_likeness
        self.whole_likeness = whole_likeness
        self.fallback_strokes = fallback_strokes
        self._parts = {}
        self.radical_of_form = {}
        for number, forms in sorted(scheme.radical_forms.items()):
            for form in sorted(forms):
                self.radical_of_form.setdefault(form, number)

    def parts(self, character):
        """The scheme's (structure type, [units]) of a character, kept."""
        found = self._parts.get(character)
        if found is None:
            found = self._parts[character] = self.scheme.parts(character)
        return found

    def strokes(self, unit):
        return self.scheme.stroke_count(unit)

    def normal(self, unit):
        """The same key for the forms of one radical (忄 心, 讠 言)."""
        number = self.radical_of_form.get(unit)
        return f"radical {number}" if number else unit

    def stroke_units(self, units):
        """The strokes of `units` when all are strokes (二 is two 一), else None."""
        out = []
        for unit in units:
            if not self.scheme.is_stroke(unit):
                return None
            _, parts = self.scheme.parts(unit)
            inner = self.stroke_units(parts) if parts and self.strokes(unit) > 1 else None
            if inner and len(inner) < self.strokes(unit) and len(set(inner)) == 1:
                inner = inner * (self.strokes(unit) // len(inner))  # 二 is 一 repeated
            out += inner or [unit]
        return out

    def more_phrase(self, extra, fewer=False):
        """多一点, 多两横, 少一笔 ... for the strokes `extra` (units)."""
        strokes = self.stroke_units(extra) or []
        count = sum(self.strokes(unit) for unit in extra)
        names = {stroke_name(unit) for unit in strokes}
        name = names.pop() if len(names) == 1 and len(strokes) == count else "笔"
        return ("少" if fewer else "多") + NUMBERS.get(count, str(count)) + name

    def contained(self, smaller, larger):
        """The units `larger` adds to `smaller` when it is `smaller` plus
        strokes (太 is 大 and 丶), else None."""
        kind, units = self.scheme.parts(larger)
        if smaller not in units:
            return None
        rest = list(units)
        rest.remove(smaller)
        if rest and self.stroke_units(rest) is not None:
            return rest
        return None

    def difference(self, query, listed):
        """(kind, phrase) telling `listed` apart from `query`."""
        scheme = self.scheme
        query_strokes, listed_strokes = self.strokes(query), self.strokes(listed)
        more = listed_strokes - query_strokes
        query_kind, query_units = self.parts(query)
        listed_kind, listed_units = self.parts(listed)
        # One is the other with a radical of two strokes beside or above it
        # (住 is 主 and 亻): the radical tells them apart, not its strokes.
        # Where no phrase names it, the strokes below still count.
        if self.radical_added(query, listed) or self.radical_added(listed, query):
            phrase = self.other_phrase(query, listed, strokes_too=True)
            if phrase:
                return "other", phrase
        # One is the other plus a stroke or two.
        extra = self.contained(query, listed)
        if extra is not None and 0 < more <= MORE_STROKES:
            return "stroke_more", self.more_phrase(extra)
        extra = self.contained(listed, query)
        if extra is not None and 0 < -more <= MORE_STROKES:
            return "stroke_more", self.more_phrase(extra, fewer=True)
        # One repeats a part that the other has fewer times (从 众, 林 森).
        query_copies = repeat_count(query_kind, query_units)
        listed_copies = repeat_count(listed_kind, listed_units)
        if query_copies != listed_copies and any(
                copies and not scheme.is_stroke(units[0])
                for copies, units in ((query_copies, query_units), (listed_copies, listed_units))):
            phrase = self.other_phrase(query, listed)
            if phrase:
                return "other", phrase
        # One is the other with a stroke changed, mirrored or turned (已 己, 入 人).
        for kind, units, other in ((listed_kind, listed_units, query),
                                   (query_kind, query_units, listed)):
            if units == [other] and kind[:1] in ("m", "r") and not kind.startswith("r3"):
                if more == 0:
                    return "stroke_differs", self.stroke_phrase(query, listed)
                if abs(more) <= MORE_STROKES:
                    return "stroke_more", count_phrase(more)
        if not query_units or not listed_units:
            return self.fallback(query, listed, more)
        query_normal = [self.normal(unit) for unit in query_units]
        listed_normal = [self.normal(unit) for unit in listed_units]
        only_query = collections.Counter(query_normal) - collections.Counter(listed_normal)
        only_listed = collections.Counter(listed_normal) - collections.Counter(query_normal)
        if not only_query and not only_listed:
            form = self.form_differs(query_kind, query_units, listed_kind, listed_units)
            if form and more != 0:
                # One part in another form of more or fewer strokes (钅 金,
                # 鸟 鳥): another radical, or another part.
                old, new, where = form
                if scheme.is_radical(query, old) and scheme.is_radical(listed, new):
                    return "radical", (radical_phrase(new, where)
                                       or inner_phrase(listed_kind, where, new))
                return "other_part", part_phrase(where, new)
            if query_normal == listed_normal and structure(query_kind) == structure(listed_kind):
                return "stroke_differs", (self.stroke_phrase(query, listed)
                                          or (part_phrase(form[2], form[1]) if form else ""))
            wide = [unit for unit in listed_units if not scheme.is_stroke(unit)]
            if len(wide) >= 2:
                return "arrangement", self.arrangement_phrase(
                    listed, query_kind, query_normal, listed_kind, listed_units)
            return "stroke_differs", self.stroke_phrase(query, listed)
        listed_extra = self.units_of(only_listed, listed_units)
        query_extra = self.units_of(only_query, query_units)
        if not only_query and self.stroke_units(listed_extra) and 0 < more <= MORE_STROKES:
            return "stroke_more", self.more_phrase(listed_extra)
        if not only_listed and self.stroke_units(query_extra) and 0 < -more <= MORE_STROKES:
            return "stroke_more", self.more_phrase(query_extra, fewer=True)
        if len(query_extra) != 1 or len(listed_extra) != 1:
            return self.fallback(query, listed, more)
        old, new = query_extra[0], listed_extra[0]
        separate = (structure(query_kind) == structure(listed_kind)
                    and len(query_units) == len(listed_units)
                    and structure(listed_kind) in SEPARATE_STRUCTURES)
        where = position_name(listed_kind, listed_units.index(new), len(listed_units))
        strokes_only = self.stroke_units([old]) and self.stroke_units([new])
        # Another radical, the rest the same: beside, above or around it,
        # even where the two put it in different places (饱 苞, 跳 逃).
        apart = (structure(query_kind) in SEPARATE_STRUCTURES
                 or structure(listed_kind) in SEPARATE_STRUCTURES)
        if (apart and min(self.strokes(old), self.strokes(new)) > 1
                and scheme.is_radical(query, old) and scheme.is_radical(listed, new)):
            return "radical", radical_phrase(new, where) or inner_phrase(listed_kind, where, new)
        in_place = (structure(query_kind) == structure(listed_kind)
                    and query_units.index(old) == listed_units.index(new))
        if strokes_only and more == 0:
            return "stroke_differs", f"是{stroke_name(new)}不是{stroke_name(old)}"
        if in_place and self.stroke_variants(old, new):
            # A stroke or two of a small part drawn otherwise, or added.
            if more == 0:
                return "stroke_differs", part_phrase(where, new)
            if abs(more) <= MORE_STROKES:
                gained = self.stroke_gain(old, new)
                return "stroke_more", (self.more_phrase(gained, fewer=more < 0) if gained
                                       else count_phrase(more))
        if separate:
            return "other_part", part_phrase(where, new)
        return self.fallback(query, listed, more)

    def form_differs(self, query_kind, query_units, listed_kind, listed_units):
        """(old, new, where) when two characters of the same structure,
        whose parts stand apart, have the same parts but one, written in
        another form of it (纟 糹, 彐 彑), else None."""
        if (structure(query_kind) != structure(listed_kind) or len(query_units) != len(listed_units)
                or structure(listed_kind) not in SEPARATE_STRUCTURES):
            return None
        changed = [index for index, (old, new) in enumerate(zip(query_units, listed_units))
                   if old != new]
        if len(changed) != 1:
            return None
        index = changed[0]
        new = listed_units[index]
        if not scheme_named(new):
            return None
        return query_units[index], new, position_name(listed_kind, index, len(listed_units))

    def stroke_phrase(self, query, listed):
        """上横长, 下出头 ... for two characters of the same parts, one
        drawn otherwise (末 未, 士 土, 已 己), from their glyphs."""
        if self.ink is None or not (scheme_named(query) and scheme_named(listed)):
            return ""
        return self.ink.stroke_phrase(query, listed)

    def units_of(self, keys, units):
        """The units whose normal keys are counted in `keys` (a Counter),
        each as many times as counted."""
        left = collections.Counter(keys)
        out = []
        for unit in units:
            if left[self.normal(unit)] > 0:
                left[self.normal(unit)] -= 1
                out.append(unit)
        return out

    def stroke_gain(self, old, new):
        """The strokes one part adds to the other, when that is all that
        differs (日 旦: 一; 一 二: 一), else None."""
        for small, large in ((old, new), (new, old)):
            extra = self.contained(small, large)
            if extra is not None:
                return extra
        old_strokes, new_strokes = self.stroke_units([old]), self.stroke_units([new])
        if old_strokes and new_strokes:
            first, second = collections.Counter(old_strokes), collections.Counter(new_strokes)
            if not first - second or not second - first:
                return list(((second - first) or (first - second)).elements())
        return None

    def stroke_variants(self, old, new):
        """Whether two parts in the same place are one drawn with a stroke
        or two otherwise or more (斤 斥, 西 酉, 八 儿), not another part
        (人 马, 发 犮): one holds the other, or their glyphs are alike; an
        unnamed piece, which has no glyph, when both parts are small."""
        if (self.contained(old, new) or self.contained(new, old)
                or (self.stroke_units([old]) and self.stroke_units([new]))):
            return True
        if self.ink is None or not (scheme_named(old) and scheme_named(new)):
            return max(self.strokes(old), self.strokes(new)) <= SMALL_PART_STROKES
        return self.ink.likeness(old, new) >= self.part_likeness

    def fallback(self, query, listed, more):
        """Where the parts tell nothing: small characters a stroke or two
        apart (or none) whose glyphs are alike differ in those strokes
        (由 甲, 天 夫, 王 壬)."""
        if (self.ink is not None and abs(more) <= MORE_STROKES
                and max(self.strokes(query), self.strokes(listed)) <= self.fallback_strokes
                and scheme_named(query) and scheme_named(listed)
                and self.ink.likeness(query, listed) >= self.whole_likeness):
            return ("stroke_differs", "") if more == 0 else ("stroke_more", count_phrase(more))
        return "other", self.other_phrase(query, listed)

    def other_phrase(self, query, listed, strokes_too=False):
        """What tells apart two characters that differ by more than a
        stroke or a part in the same place, where the parts say it: one is
        the other with a part beside, above or around it (吻 is 勿 and 口:
        左边加口, and back 没有左边的口), one repeats a part the other has
        (林 against 本: 是两个木), or both share a part and the listed one
        has one other part of its own (集 against 本: 上面是隹).  Empty
        where none of these holds.  `strokes_too`: a part made of strokes
        may be the one added (厅 against 丁: 外面加厂)."""
        query_kind, query_units = self.parts(query)
        listed_kind, listed_units = self.parts(listed)
        added = self.added_part(query, listed, listed_kind, listed_units, strokes_too)
        if added:
            return f"{added[0]}加{added[1]}"
        dropped = self.added_part(listed, query, query_kind, query_units, strokes_too)
        if dropped:
            return f"没有{dropped[0]}的{dropped[1]}"
        repeated = repeat_count(listed_kind, listed_units)
        if repeated and (repeat_count(query_kind, query_units) or listed_units[0] in query_units
                         or listed_units[0] == query) and scheme_named(listed_units[0]):
            return f"是{COPIES[repeated]}个{listed_units[0]}"
        repeated = repeat_count(query_kind, query_units)
        if repeated and query_units == [listed] and scheme_named(listed):
            return f"少{NUMBERS[repeated - 1]}个{listed}"
        return self.own_part(query_units, listed, listed_kind, listed_units)

    def radical_added(self, smaller, larger):
        """Whether `larger` is `smaller` with its radical, of two strokes or
        more, set apart from it (住: 亻 主)."""
        added = self.added_part(smaller, larger, *self.parts(larger), strokes_too=True)
        return (added is not None and self.strokes(added[1]) >= 2
                and self.scheme.is_radical(larger, added[1]))

    def added_part(self, smaller, larger, kind, units, strokes_too=False):
        """(where, part) when `larger`, of `kind` and `units`, is `smaller`
        with one more part, set apart from it, else None."""
        if (len(units) != 2 or smaller not in units or units[0] == units[1]
                or not self.has_places(larger, kind, units)):
            return None
        index = 1 - units.index(smaller)
        part = units[index]
        if not scheme_named(part) or (self.scheme.is_stroke(part) and not strokes_too):
            return None
        return WHERE_WORDS[position_name(kind, index, 2)], part

    def has_places(self, character, kind, units):
        """Whether a character's parts stand apart in places a teacher
        names (左边, 上面, 外面 ...).  Under a frame at the lower left only
        when the frame is its radical (辶, 走: 起 is 走 around 己); 题 is 是
        beside 页, whose last stroke reaches under it, not 页 inside 是."""
        base = structure(kind)
        if base not in SEPARATE_STRUCTURES:
            return False
        return base != "sbl" or self.scheme.is_radical(character, units[0])

    def own_part(self, query_units, listed, listed_kind, listed_units):
        """上面是隹: the one part the listed character has of its own, in
        its place, when it shares its other parts with the query."""
        if len(listed_units) < 2 or not self.has_places(listed, listed_kind, listed_units):
            return ""
        query_normal = collections.Counter(self.normal(unit) for unit in query_units)
        listed_normal = collections.Counter(self.normal(unit) for unit in listed_units)
        own = listed_normal - query_normal
        if sum(own.values()) != 1 or not listed_normal & query_normal:
            return ""
        new = self.units_of(own, listed_units)[0]
        # A stroke or lines a decomposition sets apart are too often part of
        # a shape the other character draws whole (升 甘: 二) to name them.
        if set(self.stroke_units([new]) or ["part"]) <= {"一", "丨"}:
            return ""
        where = position_name(listed_kind, listed_units.index(new), len(listed_units))
        return part_phrase(where, new)

    def arrangement_phrase(self, listed, query_kind, query_normal, listed_kind, listed_units):
        """Where the first part that moved sits in the listed character:
        心在下."""
        moved = []
        for index, unit in enumerate(listed_units):
            key = self.normal(unit)
            listed_where = position_name(listed_kind, index, len(listed_units))
            query_where = (position_name(query_kind, query_normal.index(key), len(query_normal))
                           if key in query_normal else "")
            if listed_where and listed_where != query_where:
                moved.append((not self.scheme.is_radical(listed, unit), index, unit, listed_where))
        if not moved:
            return ""
        _, _, unit, where = min(moved)
        return f"{unit}在{where}" if scheme_named(unit) else ""


def repeat_count(kind, units):
    """How many times a character repeats its one part (林 2, 森 3), when
    the copies stand apart; else 0."""
    if len(units) != 1 or "/m" in kind:
        return 0
    base = structure(kind)
    if base in ("ra", "rd"):
        return 2
    if base.startswith("r3"):
        return 3
    if base.startswith("r4"):
        return 4
    return 0


def count_phrase(more):
    """多一笔, 少两笔: `more` strokes more, or fewer when negative."""
    return ("多" if more > 0 else "少") + NUMBERS.get(abs(more), str(abs(more))) + "笔"


def scheme_named(unit):
    """Whether a part can be written: a code page 936 character, not an
    unnamed piece."""
    return len(unit) == 1 and scheme_module.cp936_form(unit) is not None


def radical_phrase(part, where):
    """氵旁, 艹头, 心底: a radical named by the place it takes."""
    suffix = {"左": "旁", "右": "旁", "上": "头", "下": "底", "外": "框"}.get(where, "")
    return part + suffix if suffix and scheme_named(part) else ""


def inner_phrase(kind, where, part):
    """里面是X for a radical within a frame; not under a frame at the
    lower left (辶, 走, and characters such as 是 or 尧 whose last stroke
    reaches under the part beside them), which a teacher names the part
    beside."""
    return part_phrase(where, part) if structure(kind) != "sbl" else ""


WHERE_WORDS = {"左": "左边", "右": "右边", "上": "上面", "下": "下面", "中": "中间", "外": "外面",
               "里": "里面"}


def part_phrase(where, part):
    """右边是析, 里面是点: what the listed character has in a place."""
    if not where:
        return ""
    if scheme_named(part) and not STROKE_NAMES.get(part):
        return f"{WHERE_WORDS[where]}是{part}"
    name = stroke_name(part)
    return f"{WHERE_WORDS[where]}是{name}" if name != "笔" else ""


def close_pairs(dictionaries):
    """Every (query, listed) pair, both ways, that a list of one of the
    dictionaries ({name: [(key, code)]}) puts among its closest: its first
    CLOSE_GROUPS score groups and first CLOSE_CHARACTERS characters."""
    pairs = set()
    for entries in dictionaries:
        searcher = similar.Searcher(entries)
        for key in dict.fromkeys(key for key, _ in entries):
            shown = [other for line in searcher.search(key)[:CLOSE_GROUPS] for other in line]
            for other in shown[:CLOSE_CHARACTERS]:
                if other != key:
                    pairs.add((key, other))
                    pairs.add((other, key))
    return pairs


def format_differences(pairs, order, differ):
    """The differences file's bytes for (query, listed) key pairs, sorted by
    query and then listed in `order` (keys in hz-gbk.txt's order)."""
    position = {key: index for index, key in enumerate(order)}
    lines = []
    for query, listed in sorted(pairs, key=lambda pair: (position[pair[0]], position[pair[1]])):
        kind, phrase = differ.difference(query.decode("gbk"), listed.decode("gbk"))
        lines.append(query + listed + b"\t" + kind.encode("ascii") + b"\t"
                     + phrase.encode("gbk") + b"\n")
    return b"".join(lines)


def check_differences(data, order):
    """Faults of a differences file: its format and its line order."""
    position = {key: index for index, key in enumerate(order)}
    faults, previous = [], None
    for number, line in enumerate(data.split(b"\n")[:-1], start=1):
        fields = line.split(b"\t")
        key = fields[0]
        if (len(fields) != 3 or len(key) != 4 or key[:2] not in position
                or key[2:] not in position or fields[1].decode("ascii", "replace") not in KINDS):
            faults.append(f"line {number}: expected two characters, a tab, a kind, a tab, "
                          "a phrase")
        else:
            try:
                fields[2].decode("gbk")
            except UnicodeDecodeError:
                faults.append(f"line {number}: the phrase is not code page 936")
            rank = (position[key[:2]], position[key[2:]])
            if previous is not None and rank <= previous:
                faults.append(f"line {number}: out of order")
            previous = rank
        if len(faults) >= 10:
            break
    if data and not data.endswith(b"\n"):
        faults.append("the last line has no line feed")
    return faults


LABELLED_FILE = Path(__file__).resolve().parent / "difference-pairs.txt"
HALVES = ("tuning", "held-out")


def parse_labelled(text):
    """[(kind, first, second)] of the labelled pairs' text; '#' starts a
    comment."""
    return [pair[:3] for pair in parse_labelled_phrases(text)]


def parse_labelled_phrases(text):
    """[(kind, first, second, forward, backward)] of the labelled pairs'
    text: `forward` the phrases as good as each other that tell the second
    character from the first, `backward` the first from the second, each a
    tuple; () where the line gives none, ("",) where it says no phrase
    ('-')."""
    pairs = []
    for number, line in enumerate(text.splitlines(), start=1):
        fields = line.split("#", 1)[0].split()
        if not fields:
            continue
        if (len(fields) not in (3, 5) or fields[0] not in KINDS or len(fields[1]) != 1
                or len(fields[2]) != 1):
            raise ValueError(f"{LABELLED_FILE.name} line {number}: expected a kind and two "
                             "characters, and perhaps a phrase each way")
        phrases = [tuple("" if phrase == "-" else phrase for phrase in field.split("/"))
                   for field in fields[3:]] or [(), ()]
        pairs.append((fields[0], fields[1], fields[2], *phrases))
    return pairs


def half(kind, first, second):
    """The fixed half of a labelled pair, by a hash of its line."""
    line = f"{kind} {first} {second}".encode("utf-8")
    return HALVES[hashlib.sha256(line).digest()[0] & 1]


def kind_figures(differ, pairs, common):
    """{half: (right, count, traditional right, traditional count, misses)}
    of the kinds found for the labelled pairs, each pair judged both ways."""
    figures = {}
    for which in HALVES:
        right = total = traditional_right = traditional_total = 0
        misses = []
        for kind, first, second in pairs:
            if half(kind, first, second) != which:
                continue
            traditional = first not in common or second not in common
            for query, listed in ((first, second), (second, first)):
                found = differ.difference(query, listed)[0]
                total += 1
                right += found == kind
                traditional_total += traditional
                traditional_right += traditional and found == kind
                if found != kind:
                    misses.append(f"{query}{listed} {found} (not {kind})")
        figures[which] = (right, total, traditional_right, traditional_total, misses)
    return figures


def phrase_figures(differ, pairs):
    """{half: (right, given, wrong, none_expected, misses)} of the phrases
    found for the labelled pairs that carry phrases, each way: how many of
    the `given` phrases come out as labelled (or as one as good), how many
    phrases come out that are not labelled at all (wrong, counting those
    found where the label says none), and of how many directions the label
    says none."""
    figures = {}
    for which in HALVES:
        right = given = wrong = none_expected = 0
        misses = []
        for kind, first, second, forward, backward in pairs:
            if half(kind, first, second) != which:
                continue
            for query, listed, wanted in ((first, second, forward), (second, first, backward)):
                if not wanted:
                    continue
                found = differ.difference(query, listed)[1]
                if wanted == ("",):
                    none_expected += 1
                else:
                    given += 1
                    right += found in wanted
                if found and found not in wanted:
                    wrong += 1
                if found not in wanted:
                    misses.append(f"{query}{listed} {found or '-'} (not {'/'.join(wanted) or '-'})")
        figures[which] = (right, given, wrong, none_expected, misses)
    return figures
