"""Which characters are each other's closest look-alikes, and how close.

The component tree links families (请 清 晴 share 青) but cannot see one
stroke more or a stroke longer (土 士, 未 末).  Here every character's
candidates, its most alike glyphs and its tree links, are weighed by one
likeness that combines:

* glyph similarity (glyphs.py), which carries most of the weight;
* the tree's own score, so a shared phonetic part counts;
* a shared phonetic series (Unihan kPhonetic);
* an equal four-corner code (kFourCornerCode, all five digits);
* how much of their Cangjie codes they share (kCangjie);
* less for every stroke of difference (kTotalStrokes);
* more when both are filed under the same radical with at most one stroke
  beyond it (kRSUnicode): 由 甲 申 田 are 田 give or take a stroke, 本 末
  未 术 are 木 and one stroke;
* less when either is a GB2312 character outside the 3500 common ones of
  the Table of General Standard Chinese Characters (Unihan kTGH), and
  less again outside its second level: a link to a character readers
  seldom meet would take the place of a common look-alike in the other's
  first score group.
  Characters outside GB2312 have budgets and a grade of their own
  (build.py) and are not marked down.

The weights and thresholds were chosen by measuring the bundled set of
look-alike groups (lookalikes.txt).  Each character promotes its few
likeliest candidates; a pair promoted by either side becomes a link, unless
one of the two already has as many links as it may hold, and its grade
(how long a run the two codes will share) follows its likeness, which
for two traditional characters is raised by that of their simplified
forms (Unihan kSimplifiedVariant).
"""

from . import glyphs, similar

WEIGHTS = {"glyph": 0.93, "tree": 0.21, "phonetic": 0.08, "four_corner": 0.06,
           "cangjie": 0.2, "strokes": 0.08, "radical_variant": 0.3,
           "second_level": 0.15, "beyond_second_level": 0.3}
TREE_SCORE_CAP = 14     # tree scores above this count as this
STROKE_GAP_CAP = 8      # stroke differences above this count as this
PROMOTE_AT_LEAST = 0.34  # likeness a candidate needs to be promoted
# A character that nothing else would list promotes its likeliest candidates
# if they are at least this alike before the mark-down for rare characters.
LONE_AT_LEAST = 0.22
# Grades by likeness: the run length two linked codes share (tokens.py).
# The closer six grades lie above the runs of the component codes, so that
# the closest come first, and near twins before them: the top three part
# the near twins, so that 未 lists 末 (1.49) before 木 (1.01).  Below 0.96
# two grades are as many as help: 0.57 to 0.78, the widest, is split at
# 0.67 so that a score group holds characters about equally alike (约's
# 灼 no longer waits behind 的 钓 豹), and finer grades ordered the pairs
# no better than the line order (commonness) does.  The lowest lies below
# a shared phonetic part's (10 bytes and more), so that a family is not
# pushed down by characters that look only somewhat alike.
# Two traditional characters whose simplified forms are look-alikes are
# candidates, and are graded as if this share of that likeness were theirs
# too (車 東 by 车 东): simplification mostly keeps a character's outline,
# so it tells what the glyphs miss.  Only the grade: which look-alikes a
# character promotes is still what its own likeness says.
SIMPLIFIED_WEIGHT = 0.15
GRADES = ((1.20, 45), (1.08, 41), (0.96, 37), (0.78, 33), (0.67, 29), (0.57, 25), (0.0, 9))


class Signals:
    """The per-character data that the likeness reads."""

    def __init__(self, characters, vectors, dictionary_like, stroke_counts, radical_variant,
                 common_count, levels):
        """`radical_variant(character)` is the radical the character is
        that radical give or take a stroke of, or None
        (Scheme.radical_variant); `levels` gives a character's level in
        the Table of General Standard Chinese Characters (1 for the common
        ones; sources.read_mainland_commonness)."""
        self.vectors = vectors
        self.phonetic = [self._phonetic_series(dictionary_like["kPhonetic"].get(c, ""))
                         for c in characters]
        self.four_corner = [dictionary_like["kFourCornerCode"].get(c) for c in characters]
        self.cangjie = [dictionary_like["kCangjie"].get(c, "") for c in characters]
        self.strokes = [stroke_counts.get(c, 0) for c in characters]
        self.radical_variant = [radical_variant(c) for c in characters]
        # The first `common_count` characters are the GB2312 ones.
        # How much less alike a pair with this character counts.
        self.seldom = [0 if index >= common_count or levels.get(c) == 1
                       else WEIGHTS["second_level"] if levels.get(c) == 2
                       else WEIGHTS["beyond_second_level"]
                       for index, c in enumerate(characters)]
        # Both dictionaries weigh mostly the same pairs: each is weighed once.
        self._known = {}

    @staticmethod
    def _phonetic_series(value):
        # "1426*" and "1426x" mark less regular members of series 1426.
        return frozenset(number.rstrip("*x") for number in value.split())

    def likeness(self, first, second, tree_score, glyph=None):
        if glyph is None:
            glyph = glyphs.similarity(self.vectors, first, second)
        key = (first, second, tree_score, glyph)
        if key not in self._known:
            self._known[key] = self._likeness(first, second, tree_score, glyph)
        return self._known[key]

    def _likeness(self, first, second, tree_score, glyph):
        cangjie_first, cangjie_second = self.cangjie[first], self.cangjie[second]
        cangjie = (similar.longest_common_run(cangjie_first, cangjie_second)
                   / max(1, len(cangjie_first), len(cangjie_second)))
        four_corner = self.four_corner[first]
        gap = min(abs(self.strokes[first] - self.strokes[second]), STROKE_GAP_CAP)
        value = (WEIGHTS["glyph"] * glyph
                 + WEIGHTS["tree"] * min(tree_score, TREE_SCORE_CAP) / TREE_SCORE_CAP
                 + WEIGHTS["phonetic"] * bool(self.phonetic[first] & self.phonetic[second])
                 + WEIGHTS["four_corner"] * (four_corner is not None
                                             and four_corner == self.four_corner[second])
                 + WEIGHTS["cangjie"] * cangjie
                 - WEIGHTS["strokes"] * gap / STROKE_GAP_CAP
                 + WEIGHTS["radical_variant"] * (self.radical_variant[first] is not None
                                                 and self.radical_variant[first]
                                                 == self.radical_variant[second])
                 - self.mark_down(first, second))
        return round(value, 6)

    def mark_down(self, first, second):
        """How much less alike the pair counts for a rare character."""
        return max(self.seldom[first], self.seldom[second])


def tree_links(codes):
    """{(i, j): score} for i < j: the pairs whose tree codes share 4 bytes."""
    searcher = similar.Searcher((str(index).encode(), code) for index, code in enumerate(codes))
    links = {}
    for index, code in enumerate(codes):
        for key, score in searcher.rank(code):
            other = int(key)
            if other != index:
                links[(min(index, other), max(index, other))] = score
    return links


def likeness_of_candidates(signals, neighbours, links):
    """{(i, j): likeness} for i < j over every glyph neighbour and tree link."""
    pairs = {}
    for first, near in enumerate(neighbours):
        for glyph, second in near:
            pair = (min(first, second), max(first, second))
            if pair not in pairs:
                pairs[pair] = signals.likeness(first, second, links.get(pair, 0), glyph)
    for pair, score in links.items():
        if pair not in pairs:
            pairs[pair] = signals.likeness(pair[0], pair[1], score)
    return pairs


def traditional_forms(simplified_of):
    """{simplified index: [indices of its traditional forms]}."""
    forms = {}
    for index, simplified in enumerate(simplified_of):
        if simplified is not None:
            forms.setdefault(simplified, []).append(index)
    return forms


def likeness_for_grading(signals, likeness, links, simplified_of, simplified_likeness):
    """(likeness, grading): `likeness` with the traditional forms of every
    alike simplified pair added as candidates, and the likeness each pair
    is graded by, raised by SIMPLIFIED_WEIGHT times that of the simplified
    forms for the pairs that have them.  `simplified_of[i]` is the index
    of i's simplified form, or None; `simplified_likeness` is the likeness
    of the simplified characters' candidates ({(i, j): value}, i < j)."""
    likeness = dict(likeness)
    forms = traditional_forms(simplified_of)
    for first, second in simplified_likeness:
        for one in forms.get(first, ()):
            for other in forms.get(second, ()):
                pair = (min(one, other), max(one, other))
                if pair not in likeness:
                    likeness[pair] = signals.likeness(pair[0], pair[1], links.get(pair, 0))
    grading = {}
    for pair, value in likeness.items():
        first, second = (simplified_of[index] for index in pair)
        if first is not None and second is not None and first != second:
            simplified = simplified_likeness.get((min(first, second), max(first, second)))
            if simplified is not None:
                value = round(value + SIMPLIFIED_WEIGHT * simplified, 6)
        grading[pair] = value
    return likeness, grading


def grade(value):
    return next((length for threshold, length in GRADES if value >= threshold), GRADES[-1][1])


def promoted_links(likeness, count, promotions, capacity, tree, aside=None, keep=None,
                   grading=None, mark_down=None):
    """[(i, j, grade)]: each character's likeliest candidates, as far as
    `promotions(i)` says, kept while neither end holds `capacity(i)` links.
    `tree` ({(i, j): score}, i < j) is what the component codes share: a
    pair they already give a run as long as its grade is not promoted, and
    a character they give no look-alike at all, with no candidate that
    alike, promotes its likeliest ones all the same.  Stronger pairs are
    settled first; ties go by index.  `aside(i, j)`, if given, is how much
    less likely j counts among i's candidates when i picks which to promote
    (a traditional character's simplified or rare candidates), without
    changing the pair's likeness or grade.  `keep(i, j)`, if given, says
    whether i promotes j when j is among its likeliest: a candidate it does
    not keep still takes its place among them.  `grading` ({(i, j):
    value}), if given, is the likeness a pair is graded by instead.
    `mark_down(i, j)`, if given, is how much the pair's likeness was
    lowered for a rare character (Signals.mark_down)."""
    by_character = [[] for _ in range(count)]
    for pair, value in likeness.items():
        unmarked = value + (mark_down(*pair) if mark_down else 0)
        if unmarked >= LONE_AT_LEAST and tree.get(pair, 0) < grade(value):
            first, second = pair
            for one, other in ((first, second), (second, first)):
                set_aside = aside(one, other) if aside else 0
                by_character[one].append((set_aside - value, -value, other))
    listed = {index for pair in tree for index in pair}
    chosen = set()
    lone = []
    for first, candidates in enumerate(by_character):
        candidates.sort()
        promoted = [second for _, value, second in candidates
                    if -value >= PROMOTE_AT_LEAST][:promotions(first)]
        if keep is not None:
            promoted = [second for second in promoted if keep(first, second)]
        if first not in listed and candidates:
            if not promoted:
                # As many as it may promote, so that one with room is found.
                promoted = [second for _, _, second in candidates[:promotions(first)]]
            if promoted:
                lone.append((first, promoted[0]))
        for second in promoted:
            chosen.add((min(first, second), max(first, second)))
    held = [0] * count
    links = []

    def link(first, second):
        held[first] += 1
        held[second] += 1
        links.append((first, second, grade((grading or likeness)[(first, second)])))

    for pair in sorted(chosen, key=lambda pair: (-likeness[pair], pair)):
        first, second = pair
        if held[first] < capacity(first) and held[second] < capacity(second):
            link(first, second)
    # A character that would list nothing keeps its likeliest candidate even
    # where that one's links are full: one more character in that one's list
    # costs less than an empty list.
    for first, second in lone:
        if held[first] == 0:
            link(min(first, second), max(first, second))
    return links
