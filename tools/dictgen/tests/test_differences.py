import unittest

from dictgen import differences, scheme

# Hand-made decompositions in the package's form, with Unihan's radicals
# and stroke counts, enough for one pair of each kind.
DECOMPOSITIONS = {
    "一": ("me", []), "丨": ("me", []), "丶": ("me", []), "二": ("rd", ["一"]),
    "口": ("c", []), "十": ("c", []), "八": ("c", []), "冂": ("c", []), "人": ("c", []),
    "儿": ("c", []), "亡": ("c", []), "发": ("c", []), "犮": ("c", []), "青": ("c", []),
    "木": ("wb", ["十", "八"]), "本": ("wb", ["木", "一"]),
    "未": ("wt", ["木", "一"]), "末": ("w", ["木", "一"]),
    "大": ("w", ["人", "一"]), "太": ("wb", ["大", "丶"]),
    "日": ("w", ["口", "一"]), "目": ("w", ["口", "二"]),
    "贝": ("d/o", ["冂", "人"]), "见": ("d/o", ["冂", "儿"]),
    "忙": ("a", ["忄", "亡"]), "忘": ("d", ["亡", "心"]),
    "请": ("a", ["讠", "青"]), "清": ("a", ["氵", "青"]),
    "拨": ("a", ["扌", "发"]), "拔": ("a", ["扌", "犮"]),
    "車": ("w", ["90001", "日"]), "東": ("w", ["木", "日"]),
    "90001": ("lock", ["十", "二"]),
}
RADICALS = {
    "木": [("75", 0)], "本": [("75", 1)], "未": [("75", 1)], "末": [("75", 1)],
    "大": [("37", 0)], "太": [("37", 1)], "日": [("72", 0)], "目": [("109", 0)],
    "贝": [("154'", 0)], "见": [("147'", 0)], "忙": [("61", 3)], "忘": [("61", 3)],
    "请": [("149'", 8)], "清": [("85", 8)], "拨": [("64", 5)], "拔": [("64", 5)],
    "車": [("159", 0)], "東": [("75", 4)],
}
STROKES = {
    "一": 1, "丨": 1, "丶": 1, "二": 2, "口": 3, "十": 2, "八": 2, "冂": 2, "人": 2, "儿": 2,
    "亡": 3, "发": 5, "犮": 5, "青": 8, "木": 4, "本": 5, "未": 5, "末": 5, "大": 3, "太": 4,
    "日": 4, "目": 5, "贝": 4, "见": 4, "忄": 3, "心": 4, "忙": 6, "忘": 7, "讠": 2, "氵": 3,
    "请": 10, "清": 11, "扌": 3, "拨": 8, "拔": 8, "車": 7, "東": 8,
}
RADICAL_FORMS = {"61": {"心", "忄"}, "85": {"水", "氵"}, "149": {"言", "讠"}, "64": {"手", "扌"},
                 "75": {"木"}, "37": {"大"}, "72": {"日"}, "109": {"目"}}


def make_differ():
    return differences.Differ(scheme.Scheme(
        decompositions=DECOMPOSITIONS, equivalents={}, radical_forms=RADICAL_FORMS,
        radical_numbers=RADICALS, stroke_counts=STROKES, radical_ideographs={}))


class KindTest(unittest.TestCase):
    # (query, listed, kind, phrase telling the listed one apart)
    CASES = [
        ("大", "太", "stroke_more", "多一点"), ("太", "大", "stroke_more", "少一点"),
        ("木", "本", "stroke_more", "多一横"), ("日", "目", "stroke_more", "多一横"),
        ("未", "末", "stroke_differs", ""), ("贝", "见", "stroke_differs", "下面是儿"),
        ("忙", "忘", "arrangement", "心在下"), ("忘", "忙", "arrangement", "忄在左"),
        ("请", "清", "radical", "氵旁"), ("清", "请", "radical", "讠旁"),
        ("拨", "拔", "other_part", "右边是犮"),
        # Parts that cross are no radical beside the rest.
        ("車", "東", "other", ""),
        # No parts in common at all.
        ("口", "发", "other", ""),
    ]

    def test_each_kind_and_its_phrase(self):
        differ = make_differ()
        for query, listed, kind, phrase in self.CASES:
            with self.subTest(pair=query + listed):
                self.assertEqual(differ.difference(query, listed), (kind, phrase))

    def test_the_kind_is_the_same_both_ways(self):
        differ = make_differ()
        for query, listed, kind, _ in self.CASES:
            with self.subTest(pair=query + listed):
                self.assertEqual(differ.difference(listed, query)[0], kind)


class TableInk:
    """Glyph likeness from a table, as glyphs.Ink.likeness is called."""

    def __init__(self, table):
        self.table = table

    def likeness(self, first, second):
        return self.table.get((first, second), self.table.get((second, first), 0.0))


class GlyphTest(unittest.TestCase):
    def test_parts_in_place_are_strokes_apart_only_when_their_glyphs_are_alike(self):
        table = dict(DECOMPOSITIONS)
        table.update({"扒": ("a", ["扌", "八"]), "扎": ("a", ["扌", "儿"])})
        strokes = dict(STROKES, 扒=5, 扎=5)
        made = scheme.Scheme(decompositions=table, equivalents={}, radical_forms=RADICAL_FORMS,
                             radical_numbers=dict(RADICALS, 扒=[("64", 2)], 扎=[("64", 2)]),
                             stroke_counts=strokes, radical_ideographs={})
        alike = differences.Differ(made, TableInk({("八", "儿"): 0.9}))
        self.assertEqual(alike.difference("扒", "扎"), ("stroke_differs", "右边是儿"))
        apart = differences.Differ(made, TableInk({("八", "儿"): 0.5}))
        self.assertEqual(apart.difference("扒", "扎"), ("other_part", "右边是儿"))

    def test_small_characters_the_parts_say_nothing_of_fall_back_on_their_glyphs(self):
        # 口 and 发 have no parts in common; 口 has none at all.
        for likeness, more, kind in ((0.9, 0, "stroke_differs"), (0.9, 1, "stroke_more"),
                                     (0.3, 0, "other"), (0.9, 3, "other")):
            with self.subTest(likeness=likeness, more=more):
                made = scheme.Scheme(decompositions=DECOMPOSITIONS, equivalents={},
                                     radical_forms=RADICAL_FORMS, radical_numbers=RADICALS,
                                     stroke_counts=dict(STROKES, 发=3 + more),
                                     radical_ideographs={})
                differ = differences.Differ(made, TableInk({("口", "发"): likeness}))
                self.assertEqual(differ.difference("口", "发")[0], kind)


class FileTest(unittest.TestCase):
    def test_pairs_in_the_first_two_groups_both_ways_sorted_in_line_order(self):
        # 甲 lists 乙 (score 6), 丙 (5) and 丁 (4): only the first two groups;
        # 丁 lists 己 (6) and 戊 (5) before them.
        entries = [(b"\xbc\xd7", b"abcdefgh"), (b"\xd2\xd2", b"abcdefxx"),
                   (b"\xb1\xfb", b"abcdeyyy"), (b"\xb6\xa1", b"abcdzzzz"),
                   (b"\xbc\xba", b"cdzzzzq"), (b"\xce\xec", b"dzzzzq")]
        pairs = differences.close_pairs([entries])
        self.assertIn((b"\xbc\xd7", b"\xb1\xfb"), pairs)
        self.assertIn((b"\xb1\xfb", b"\xbc\xd7"), pairs)
        self.assertNotIn((b"\xbc\xd7", b"\xb6\xa1"), pairs)

        order = [key for key, _ in entries]
        data = differences.format_differences(
            {(b"\xd2\xd2", b"\xbc\xd7"), (b"\xbc\xd7", b"\xd2\xd2"), (b"\xbc\xd7", b"\xb1\xfb")},
            order, make_differ())
        self.assertEqual(data.split(b"\t")[0], b"\xbc\xd7\xd2\xd2")
        self.assertEqual(data.count(b"\tother\t\n"), 3)
        self.assertEqual(differences.check_differences(data, order), [])
        lines = data.split(b"\n")
        swapped = b"\n".join([lines[1], lines[0]] + lines[2:])
        self.assertTrue(differences.check_differences(swapped, order))
        self.assertTrue(differences.check_differences(b"\xbc\xd7\xd2\xd2\tnearly\t\n", order))
        self.assertTrue(differences.check_differences(b"\xbc\xd7\tother\t\n", order))


# Characters that differ by more than a part in one place, added to the
# hand-made decompositions above.
OTHER_DECOMPOSITIONS = dict(DECOMPOSITIONS, **{
    "勹": ("c", []), "丿": ("me", []), "隹": ("c", []), "艹": ("c", []), "丶丶": ("c", []),
    "勿": ("str", ["勹", "丿"]), "吻": ("a", ["口", "勿"]),
    "王": ("c", []), "主": ("wt", ["王", "丶"]), "亻": ("d/t", ["丿", "丨"]),
    "住": ("a", ["亻", "主"]),
    "林": ("ra", ["木"]), "森": ("r3tr", ["木"]), "集": ("d", ["隹", "木"]),
    "灬": ("ra", ["丶丶"]), "杰": ("d", ["木", "灬"]),
    "升": ("wtl", ["艹", "丿"]), "甘": ("st", ["艹", "二"]),
    "中": ("lock", ["口", "丨"]), "串": ("rd/m", ["中"]),
    # One part in its simplified or traditional form.
    "纟": ("c", []), "糹": ("c", []), "夅": ("c", []), "绛": ("a", ["纟", "夅"]),
    "絳": ("a", ["糹", "夅"]), "贝": ("c", []), "貝": ("c", []), "呗": ("a", ["口", "贝"]),
    "唄": ("a", ["口", "貝"]), "彐": ("c", []), "彑": ("c", []), "氺": ("c", []),
    "录": ("d", ["彐", "氺"]), "彔": ("d", ["彑", "氺"]),
    # Another radical inside a frame, or beside one reaching under it.
    "门": ("c", []), "问": ("st", ["门", "口"]), "闷": ("st", ["门", "心"]),
    "是": ("c", []), "页": ("c", []), "题": ("sbl", ["是", "页"]), "提": ("a", ["扌", "是"]),
    # A radical made of strokes added around a character.
    "亅": ("me", []), "厂": ("rs", ["丿"]), "丁": ("d/t", ["一", "亅"]), "厅": ("stl", ["厂", "丁"]),
    "己": ("c", []), "走": ("c", []), "起": ("sbl", ["走", "己"]),
})
OTHER_STROKES = dict(STROKES, 勹=2, 丿=1, 隹=8, 艹=3, 勿=4, 吻=7, 王=4, 主=5, 亻=2, 住=7,
                     林=8, 森=12, 集=12, 灬=4, 杰=8, 升=4, 甘=5, 中=4, 串=7, 纟=3, 糹=6, 夅=6,
                     绛=9, 絳=12, 贝=4, 貝=7, 呗=7, 唄=10, 彐=3, 彑=3, 氺=5, 录=8, 彔=8,
                     门=3, 问=6, 闷=7, 是=9, 页=6, 题=15, 提=12, 亅=1, 厂=2, 丁=2, 厅=4,
                     己=3, 走=7, 起=10)
OTHER_RADICALS = dict(RADICALS, 亻=[("9", 0)], 住=[("9", 5)], 主=[("3", 4)], 口=[("30", 0)],
                      吻=[("30", 4)], 勿=[("20", 2)], 纟=[("120'", 0)], 糹=[("120", 0)],
                      绛=[("120'", 6)], 絳=[("120", 6)], 呗=[("30", 4)], 唄=[("30", 7)],
                      录=[("58", 5)], 彔=[("58", 5)], 问=[("30", 3)], 闷=[("61", 4)],
                      心=[("61", 0)], 题=[("181'", 9)], 页=[("181'", 0)], 提=[("64", 9)],
                      厂=[("27", 0)], 厅=[("27", 2)], 丁=[("1", 1)], 走=[("156", 0)],
                      起=[("156", 3)])
OTHER_FORMS = dict(RADICAL_FORMS, **{"120": {"糸", "糹", "纟"}, "154": {"貝", "贝"},
                                     "58": {"彐", "彑"}})


class OtherPhraseTest(unittest.TestCase):
    # (query, listed, kind, phrase telling the listed one apart)
    CASES = [
        # One holds the other and a part beside it: named by its place, both ways.
        ("勿", "吻", "other", "左边加口"), ("吻", "勿", "other", "没有左边的口"),
        # A radical of two strokes is named, not counted as strokes.
        ("主", "住", "other", "左边加亻"), ("住", "主", "other", "没有左边的亻"),
        ("丁", "厅", "other", "外面加厂"), ("厅", "丁", "other", "没有外面的厂"),
        # Under a frame at the lower left only when the frame is the radical:
        # 题 is 是 beside 页, not 页 inside 是.
        ("己", "起", "other", "外面加走"), ("是", "题", "other", ""), ("题", "是", "other", ""),
        # A part repeated, against the part alone, another count or another
        # character that holds it.
        ("木", "林", "other", "是两个木"), ("林", "木", "other", "少一个木"),
        ("林", "森", "other", "是三个木"), ("森", "林", "other", "是两个木"),
        ("本", "林", "other", "是两个木"),
        # A shared part and one of the listed character's own, in its place;
        # 本 has no places to name.
        ("本", "集", "other", "上面是隹"), ("集", "本", "other", ""),
        ("本", "杰", "other", "下面是灬"),
        # Lines a decomposition sets apart are not named as a part.
        ("升", "甘", "other", ""),
        # Copies that merge are no repeated part.
        ("中", "串", "other", ""),
        # A repeated stroke stays a stroke more.
        ("一", "二", "stroke_more", "多一笔"),
        # One part in another form, of other strokes: the radical, else the
        # part, named in its place; of the same strokes, a stroke drawn
        # otherwise, the part named where the glyphs tell nothing.
        ("绛", "絳", "radical", "糹旁"), ("絳", "绛", "radical", "纟旁"),
        ("呗", "唄", "other_part", "右边是貝"), ("录", "彔", "stroke_differs", "上面是彑"),
        # Another radical inside a frame is named there; beside a part that
        # reaches under it, it is not named as inside.
        ("问", "闷", "radical", "里面是心"), ("提", "题", "radical", ""),
    ]

    def test_each_shape_and_its_phrase(self):
        made = scheme.Scheme(decompositions=OTHER_DECOMPOSITIONS, equivalents={},
                             radical_forms=OTHER_FORMS, radical_numbers=OTHER_RADICALS,
                             stroke_counts=OTHER_STROKES, radical_ideographs={})
        differ = differences.Differ(made)
        for query, listed, kind, phrase in self.CASES:
            with self.subTest(pair=query + listed):
                self.assertEqual(differ.difference(query, listed), (kind, phrase))

    def test_labelled_phrases_are_counted_right_wrong_or_none(self):
        made = scheme.Scheme(decompositions=OTHER_DECOMPOSITIONS, equivalents={},
                             radical_forms=OTHER_FORMS, radical_numbers=OTHER_RADICALS,
                             stroke_counts=OTHER_STROKES, radical_ideographs={})
        pairs = differences.parse_labelled_phrases(
            "other 勿 吻 左边加口 没有左边的口\n"
            "other 本 集 下面是隹/上面是隹 -\n"
            "other 木 林 是三个木 少一个木\n"
            "other 林 森\n")
        self.assertEqual(pairs[1][3:], (("下面是隹", "上面是隹"), ("",)))
        self.assertEqual(pairs[3][3:], ((), ()))
        figures = differences.phrase_figures(differences.Differ(made), pairs)
        right, given, wrong, none_expected = (
            sum(figures[which][field] for which in differences.HALVES) for field in range(4))
        # 勿吻 吻勿 本集 right; 林木 right; 木林 wrong; 集本 none, as labelled.
        self.assertEqual((right, given, wrong, none_expected), (4, 5, 1, 1))
        for line in ("other 勿 吻 左边加口", "other 勿 吻 左边加口 - -"):
            with self.subTest(line=line):
                with self.assertRaises(ValueError):
                    differences.parse_labelled_phrases(line)


if __name__ == "__main__":
    unittest.main()


class LabelledPairsTest(unittest.TestCase):
    def test_the_set_covers_every_kind_and_traditional_pairs_in_both_halves(self):
        pairs = differences.parse_labelled(
            differences.LABELLED_FILE.read_text(encoding="utf-8"))
        self.assertGreaterEqual(len(pairs), 200)
        for which in differences.HALVES:
            chosen = [pair for pair in pairs if differences.half(*pair) == which]
            self.assertEqual({kind for kind, _, _ in chosen}, set(differences.KINDS), which)
            self.assertTrue(any(not _gb2312(c) for _, a, b in chosen for c in (a, b)), which)

    def test_bad_lines_are_refused(self):
        for line in ("nearly 土 士", "radical 土", "radical 土士 士", "radical 土 士 王"):
            with self.subTest(line=line):
                with self.assertRaises(ValueError):
                    differences.parse_labelled(line)
        self.assertEqual(differences.parse_labelled("# note\nradical 请 清  # 讠 氵\n"),
                         [("radical", "请", "清")])


def _gb2312(character):
    try:
        character.encode("gb2312")
        return True
    except UnicodeEncodeError:
        return False
