"""The structure-code scheme.

A code is a string of 2-byte code page 936 parts, 1-byte strokes and 1-byte
structure-class marks.  The search counts two characters alike when their
codes share a run of 4 or more bytes.  So the code is built from short
blocks:

* a block is the mark of the way the parts are put together, the
  component, and its direct parts in order with the component after each
  (请 is the mark for side by side, 请 讠 请 青 请): a part and the
  component it stands in make a run of 4, two parts side by side (亠 口 in
  京 and 高) none;
* a character's code is its own block, then the block of each part worth
  sharing, then, where the first part gives the outline (a frame, or a part
  with another inside or across it), an outline tail: first part, a mark,
  first part again (日 and 目 both end 口 ? 口), and for a frame (门, 囗,
  匚, 勹) once more: 门 ? 门 ? 门.

A character that contains 青 carries 青's block, which is also the start of
青's own code, so 请, 清 and 青 share 11 bytes or more.  The radical is not
opened, so two characters that share only a radical share 2 bytes, below
the threshold.  Single strokes are one byte, so a stroke beside a part (3
bytes) is no likeness either.
"""

# Structure types of the decomposition table, by their first letters, mapped
# to class marks.  Marks lie in 0x21-0x3F and skip 0x2D ('-'), the byte the
# search pads codes with.
CLASS_MARKS = {
    "a": 0x21, "d": 0x22, "s": 0x23, "st": 0x24, "sb": 0x25, "sl": 0x26,
    "sr": 0x27, "stl": 0x28, "str": 0x29, "sbl": 0x2A, "sbr": 0x2B,
    "w": 0x2C, "wt": 0x2E, "wb": 0x2F, "wl": 0x30, "wr": 0x31, "wtl": 0x32,
    "wtr": 0x33, "wbl": 0x34, "wbr": 0x35, "lock": 0x36,
}
REPEAT_MARK = 0x37      # r..., the same part repeated
TRANSFORM_MARK = 0x38   # ref..., rrot...: a part mirrored or turned
MODIFIED_MARK = 0x39    # m...: a part with a stroke changed or cut
OTHER_MARK = 0x3A
FUSED_MARK = 0x3F       # the outline tail
LONE_MARK = 0x3E        # an unnamed piece standing alone as a body
# Suffixes of side-by-side and stacked structures: /t touching, /m merged,
# /o overlapping.
FUSED_SUFFIX_MARK = {"t": 0x3B, "m": 0x3C, "o": 0x3D}

# Surrounding structures whose outer part sets the outline: full frames (囗),
# frames open at one side (门, 冂, 匚, 凵) and hooks from the top right (勹).
# Not those from the top left (广, 厂, 疒) or the bottom left (辶, 走): they
# are the radicals of large families that need not look alike otherwise.
OUTLINE_SURROUNDS = frozenset(["s", "st", "sl", "sb", "sr", "str", "sbr"])

# Unnamed single pieces get codes from the user-defined area of code
# page 936 (lead 0xAA-0xAF and 0xF8-0xFE, trail 0xA1-0xFE), which no
# character occupies.
_USER_DEFINED_LEADS = list(range(0xAA, 0xB0)) + list(range(0xF8, 0xFF))

# Single strokes are written as one ASCII letter or digit each, handed out
# in order of first use.
_STROKE_LETTERS = [bytes([letter]) for letter in
                   b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"]

# Guards against cycles in the decomposition table.
MAX_DEPTH = 12
# Components of at most this many strokes (十, 口, 月, 木) are too common to
# mean likeness wherever they occur.
SIMPLE_STROKES = 4
# A character filed under a radical it does not show as a part, with fewer
# than this many strokes beyond it, is that radical give or take a stroke.
HIDDEN_RADICAL_RESIDUAL = 2
# A part's own parts of at least this many strokes go into the code too.
INNER_PART_STROKES = 7


def class_mark(kind):
    """The class mark byte for a decomposition type such as 'stl' or 'd/t'."""
    base, _, suffix = kind.partition("/")
    if suffix in FUSED_SUFFIX_MARK and base in ("a", "d"):
        return FUSED_SUFFIX_MARK[suffix]
    if base in CLASS_MARKS:
        return CLASS_MARKS[base]
    if base.startswith(("ref", "rrot", "rref", "rot")):
        return TRANSFORM_MARK
    if base.startswith("r"):
        return REPEAT_MARK
    if base.startswith("m"):
        return MODIFIED_MARK
    return OTHER_MARK


def has_outline(kind):
    """Whether the first part gives the character's outline: one part inside
    or across another (日 is 一 in 口, 贝 is 人 across 冂), or surrounded by
    it (问, 风).  Parts that merely touch (土) or interlock (戊) do not count:
    their first parts are mostly strokes and would tie together characters
    that look nothing alike."""
    base, _, suffix = kind.partition("/")
    return base.startswith("w") or suffix == "o" or base in OUTLINE_SURROUNDS


def cp936_form(name):
    """The 2-byte code page 936 form of a single character, or None."""
    if len(name) != 1:
        return None
    try:
        encoded = name.encode("gbk")
    except UnicodeEncodeError:
        return None
    return encoded if len(encoded) == 2 else None


class Scheme:
    def __init__(self, decompositions, equivalents, radical_forms, radical_numbers, stroke_counts,
                 radical_ideographs):
        self.decompositions = decompositions
        self.equivalents = equivalents
        self.radical_forms = radical_forms
        self.radical_numbers = radical_numbers
        self.stroke_counts = stroke_counts
        self.radical_ideographs = radical_ideographs
        self.piece_codes = {}
        self.stroke_codes = {}
        self._resolved = {}
        # Unnamed compounds that are parts of their own (see name_compounds),
        # and the (structure type, [units], stroke count) of those resolved.
        self.named_compounds = set()
        self._compound_parts = {}

    def name_compounds(self, characters):
        """Makes each unnamed compound in the decompositions of `characters`
        (the common ones) a part of its own, with a block like a
        character's, so that the characters that share it meet: 经, 径, 茎
        and 轻 share 巠, which has no code page 936 form.  Elsewhere an
        unnamed compound stands for its parts.  Call before making codes."""
        pending, seen = list(characters), set()
        while pending:
            name = pending.pop()
            if name in seen:
                continue
            seen.add(name)
            parts = [part for part in self.decompositions.get(name, ("", []))[1] if part != name]
            if (len(parts) > 1 and cp936_form(name) is None
                    and cp936_form(self.equivalents.get(name, "")) is None):
                self.named_compounds.add(name)
            pending.extend(parts)

    # -- parts ---------------------------------------------------------

    def piece_code(self, name):
        """A unique user-defined-area code for an unnamed single piece,
        handed out in order of first use so that output is reproducible."""
        code = self.piece_codes.get(name)
        if code is None:
            index = len(self.piece_codes)
            lead, trail = divmod(index, 0xFE - 0xA1 + 1)
            if lead >= len(_USER_DEFINED_LEADS):
                raise RuntimeError("out of user-defined codes for unnamed pieces")
            code = bytes([_USER_DEFINED_LEADS[lead], 0xA1 + trail])
            self.piece_codes[name] = code
        return code

    def resolve(self, name, depth=0):
        """The parts that stand for a decomposition entry, as a list of units.

        A unit is a character with a code page 936 form, an unnamed single
        piece or a named compound.  A part with a code page 936 form is
        itself.  A radical or stroke form without one is its ordinary
        ideograph (⺮ is 竹).  A modified form stands for its base part, an
        unnamed compound for its own parts unless it is named, and an
        unnamed single piece for itself.
        """
        cached = self._resolved.get(name)
        if cached is not None:
            return cached
        if cp936_form(name) is not None:
            result = [name]
        elif cp936_form(self.equivalents.get(name, "")) is not None:
            result = [self.equivalents[name]]
        else:
            kind, parts = self.decompositions.get(name, ("", []))
            parts = [part for part in parts if part != name]
            if not parts or depth > MAX_DEPTH:
                result = [name]
            elif len(parts) == 1:
                result = self.resolve(parts[0], depth + 1)
            else:
                result = [unit for part in parts for unit in self.resolve(part, depth + 1)]
                # An unnamed cluster of strokes is one piece: strokes side by
                # side say nothing about likeness.
                if all(map(self.is_stroke, result)):
                    result = [name]
                elif name in self.named_compounds:
                    strokes = sum(map(self.stroke_count, result))
                    self._compound_parts[name] = (kind, result, strokes)
                    result = [name]
        self._resolved[name] = result
        return result

    def stroke_count(self, unit):
        """Unihan's stroke count; 1 for the CJK stroke forms (㇆, ㇕ ...),
        its parts' together for a named compound, and 2 for unnamed pieces,
        which are at least that."""
        if len(unit) == 1 and 0x31C0 <= ord(unit) <= 0x31EF:
            return 1
        if unit in self._compound_parts:
            return self._compound_parts[unit][2]
        return self.stroke_counts.get(unit, 2)

    def is_stroke(self, unit):
        """A single stroke, a stroke form or a repeated stroke such as 二."""
        if self.stroke_count(unit) == 1:
            return True
        kind, parts = self.parts(unit)
        return (kind.startswith("r") and not kind.startswith(("rref", "rrot"))
                and all(map(self.is_stroke, parts)))

    def unit_code(self, unit):
        """A part's code: 2 bytes, or 1 for a single stroke."""
        if self.stroke_count(unit) == 1:
            return self.stroke_code(unit)
        return self.wide_code(unit)

    def stroke_code(self, unit):
        """A single stroke is one byte, a letter: next to a part it makes a
        run of 3, so a stroke beside a part is not a likeness by itself."""
        code = self.stroke_codes.get(unit)
        if code is None:
            if len(self.stroke_codes) >= len(_STROKE_LETTERS):
                raise RuntimeError("out of one-byte codes for strokes")
            code = _STROKE_LETTERS[len(self.stroke_codes)]
            self.stroke_codes[unit] = code
        return code

    def parts(self, character):
        """(structure type, [units]) of a character or unit; no parts for an
        atomic one or an unnamed piece."""
        if cp936_form(character) is None:
            kind, units, _ = self._compound_parts.get(character, ("", [], 0))
            return kind, units
        kind, names = self.decompositions.get(character, ("", []))
        units = [unit for name in names if name != character for unit in self.resolve(name)]
        return kind, [unit for unit in units if unit != character]

    def is_radical(self, character, part):
        """Whether a part is the character's radical, by kRSUnicode."""
        part_radicals = [radical.rstrip("'") for radical, residual
                         in self.radical_numbers.get(part, []) if residual == 0]
        # The first kRSUnicode entry is the radical the character is filed
        # under; 初 has a second one (衣), which is not what it is filed by.
        for radical, _ in self.radical_numbers.get(character, [])[:1]:
            radical = radical.rstrip("'")
            if part in self.radical_forms.get(radical, ()) or radical in part_radicals:
                return True
        return False

    # -- codes ---------------------------------------------------------

    def block(self, unit):
        """A component's class mark, the component and its direct parts;
        empty for an atomic component."""
        kind, parts = self.parts(unit)
        if not parts:
            return b""
        # The mark comes first: a character that holds this block after its
        # own (铃 and 玲 after 令's) then shares with its siblings no more
        # than with the component itself.
        mark = bytes([class_mark(kind)])
        own = self.unit_code(unit)
        if all(map(self.is_stroke, parts)):
            if len(parts) >= 3:
                # Among three strokes or more, two side by side are no
                # likeness: 戈's 一 丿 would tie 戊 to 女 (丆 is 一 丿) and to
                # every character that holds 戋.
                return mark + own + b"".join(self.wide_code(part) + own for part in parts)
            # Two strokes are written wide and side by side, so that 刀 and
            # 力, the same strokes put together differently, share a run of 4.
            return mark + own + b"".join(map(self.wide_code, parts))
        # Otherwise the component's own code follows each part, so that two
        # parts side by side (亠 口 in 京 and 高) are no run of 4 outside
        # this component.
        return mark + own + b"".join(self.unit_code(part) + own for part in parts)

    def wide_code(self, unit):
        """A part's 2-byte code, a stroke's too."""
        form = cp936_form(unit)
        return form if form is not None else self.piece_code(unit)

    def is_simple(self, unit):
        """A component of few strokes (十, 口, 月, 木): sharing one says
        little, so it is opened only where it is the whole body."""
        return self.stroke_count(unit) <= SIMPLE_STROKES

    def opens(self, character, parts, part):
        """Whether a part's own block goes into the character's code."""
        others = [other for other in parts if other != part]
        if self.is_radical(character, part):
            # 太 is 大 plus a dot, 辩 is 辛 around 讠: what matters is the
            # radical, so it is opened when the rest is small.
            return all(map(self.is_stroke, others)) or parts.count(part) > 1
        if self.is_simple(part):
            # 什 is 亻 plus 十: 十 is what it shares with 汁, 计 and 针.
            return all(map(self.is_stroke, others)) or (
                len(parts) == 2 and self.is_radical(character, others[0]))
        return True

    def opened(self, unit):
        """A part's block; a part without one (an unnamed piece) is written
        twice around a mark so that sharing it still makes a run of 5."""
        if self.is_stroke(unit):
            return b""
        block = self.block(unit)
        if not block:
            return self.unit_code(unit) + bytes([LONE_MARK]) + self.unit_code(unit)
        # 兔 is 免 and a dot: 冤 carries 免's block too, to meet 挽 and 晚.
        # Not for a simple base, whose block is everywhere.
        kind, parts = self.parts(unit)
        for part in parts:
            others = [other for other in parts if other != part]
            if not self.is_simple(part) and others and all(map(self.is_stroke, others)):
                block += self.block(part)
        return block

    def inner_blocks(self, unit, opened):
        """The blocks of a part's own large parts that `opened` (the part's
        opened block) lacks: 缝 holds 逢, which holds 夆, so 缝 meets 峰, 锋
        and 蜂 too.  Only parts of INNER_PART_STROKES strokes or more: a
        smaller one (可 in 何 in 荷) is in so many characters that its
        distant relatives would fill the lists."""
        _, parts = self.parts(unit)
        out = b""
        for part in parts:
            if (not self.is_stroke(part) and self.stroke_count(part) >= INNER_PART_STROKES
                    and self.opens(unit, parts, part)):
                block = self.block(part)
                if block and block not in opened and block not in out:
                    out += block
        return out

    def radical_variant(self, character):
        """The radical a character is filed under (its first kRSUnicode
        entry) when it is that radical give or take a stroke, else None:
        田 for 由 甲 申 and 田 itself.  149 and 149' (言 and 讠) are one."""
        for radical, residual in self.radical_numbers.get(character, [])[:1]:
            if residual < HIDDEN_RADICAL_RESIDUAL:
                return radical.rstrip("'")
        return None

    def hidden_radical(self, character, parts):
        """巳 is filed under 己 with no stroke beyond it, though its parts are
        尸 and 乚: a character that is its radical give or take a stroke,
        with the radical not among its parts, carries the radical's block."""
        for radical, residual in self.radical_numbers.get(character, [])[:1]:
            ideograph = self.radical_ideographs.get(radical)
            if (residual < HIDDEN_RADICAL_RESIDUAL and ideograph and ideograph != character
                    and not any(self.is_radical(character, part) for part in parts)
                    and cp936_form(ideograph) is not None):
                return self.opened(ideograph)
        return b""

    def code(self, character, depth=0, small_parts=True):
        """The structure code of a character, as bytes; without
        `small_parts`, without the blocks of its simple parts."""
        kind, parts = self.parts(character)
        if not parts:
            return self.unit_code(character)
        out = self.block(character)
        for part in parts:
            if self.opens(character, parts, part) and (small_parts or not self.is_simple(part)):
                opened = self.opened(part)
                out += opened + self.inner_blocks(part, opened)
        out += self.hidden_radical(character, parts)
        if (len(parts) == 1 and class_mark(kind) in (MODIFIED_MARK, TRANSFORM_MARK)
                and depth < MAX_DEPTH):
            # 已 is 己 changed a little, 入 is 人 mirrored: each takes its
            # base's code along.
            # Not the base's simple parts: that 彐 is the body of 門's half
            # says nothing of 門, which would meet 雪 and 扫 through it.
            out += self.code(parts[0], depth + 1, small_parts=False)
        elif has_outline(kind):
            first = self.unit_code(parts[0])
            out += first + bytes([FUSED_MARK]) + first
            if kind.partition("/")[0] in OUTLINE_SURROUNDS:
                # A frame's family (问 闭 阐 阁 in 门) shares a run of 8,
                # longer than a small part's block (口's, 7, in 知 中 如).
                out += bytes([FUSED_MARK]) + first
        return out

    def without_compounds(self, units, seen=frozenset()):
        """`units` with each named compound replaced by its own units, at
        any depth."""
        out = []
        for unit in units:
            if unit in self._compound_parts and unit not in seen:
                out += self.without_compounds(self._compound_parts[unit][1], seen | {unit})
            else:
                out.append(unit)
        return out

    def rare_code(self, character, common):
        """The code of a character outside GB2312 (`common`): its own block,
        then the blocks of those of its parts that are outside GB2312 too.
        It meets the characters that contain it, and the rare ones that
        share a rare part (車 連 陣 share 車), but not every common character
        that shares a common part, which would fill the common characters'
        lists with rare ones."""
        out = self.block(character)
        if not out:
            return self.unit_code(character)
        # A named compound is shared with common characters, so a rare
        # character looks at the compound's own parts instead: 擊 holds 𣪠,
        # and meets 車 through it.
        units = self.without_compounds(self.parts(character)[1])
        for part in units:
            if part not in common and self.opens(character, units, part):
                opened = self.opened(part)
                if opened not in out:
                    out += opened
        return out
