import unittest

from dictgen import dictfile, scheme
from dictgen.similar import common_run_length

# A small decomposition table in the package's form, with the radical and
# stroke data the scheme reads from Unihan.
DECOMPOSITIONS = {
    "一": ("me", ["一"]), "丨": ("me", ["丨"]), "丶": ("me", ["丶"]),
    "二": ("rd", ["一"]),
    "口": ("c", []), "冂": ("c", []), "夭": ("c", []), "丁": ("c", []),
    "月": ("w", ["冂", "二"]),
    "丰": ("lock", ["三", "丨"]), "三": ("d", ["一", "二"]),
    "龶": ("msp", ["丰"]),            # no code page 936 form: stands for 丰
    "青": ("d", ["龶", "月"]),
    "清": ("a", ["氵", "青"]), "请": ("a", ["讠", "青"]),
    "河": ("a", ["氵", "可"]), "可": ("sl", ["丁", "口"]),
    "日": ("w", ["口", "一"]), "目": ("w", ["口", "二"]),
    "贝": ("d/o", ["冂", "人"]), "见": ("d/o", ["冂", "儿"]), "儿": ("c", []),
    "笑": ("d", ["⺮", "夭"]),
    "由": ("d/o", ["90001", "凵"]),
    "90001": ("lock", ["二", "丨"]),  # an unnamed cluster of strokes
    "90002": ("a", ["丨", "二"]),
    "甲": ("d/o", ["冂", "90002"]),
    "吕": ("d", ["90003", "口"]),
    "90003": ("a", ["口", "日"]),      # an unnamed compound of real parts
    "侣": ("a", ["亻", "90003"]),
    "大": ("w", ["人", "一"]), "人": ("rrefr/t", ["㇒"]),
    "太": ("wb", ["大", "丶"]), "犬": ("wtr", ["大", "丶"]),
    "环": ("a", ["90004", "90005"]),  # a cycle the table must not loop on
    "90004": ("a", ["90005", "口"]), "90005": ("a", ["90004", "口"]),
    "夆": ("d", ["夂", "丰"]), "峰": ("a", ["山", "夆"]), "逢": ("sl", ["辶", "夆"]),
    "缝": ("a", ["纟", "逢"]),        # 夆 inside 逢 inside 缝
    "何": ("a", ["亻", "可"]), "荷": ("d", ["艹", "何"]),
    "門": ("rrefr", ["90006"]),       # its half mirrored; the half is 丨 by 彐
    "90006": ("w", ["丨", "彐"]), "彐": ("str", ["㇕", "二"]), "雪": ("d", ["雨", "彐"]),
}
RADICALS = {
    "清": [("85", 8)], "河": [("85", 5)], "氵": [("85", 0)],
    "请": [("149'", 8)], "讠": [("149'", 0)],
    "青": [("174", 0)], "日": [("72", 0)], "目": [("109", 0)],
    "大": [("37", 0)], "太": [("37", 1)], "犬": [("94", 0)], "雪": [("173", 3)],
}
STROKES = {
    "一": 1, "丨": 1, "丶": 1, "二": 2, "三": 3, "口": 3, "冂": 2, "丁": 2, "人": 2,
    "月": 4, "丰": 4, "青": 8, "清": 11, "请": 10, "河": 8, "可": 5, "氵": 3, "讠": 2,
    "日": 4, "目": 5, "贝": 4, "见": 4, "儿": 2, "夭": 4, "竹": 6, "大": 3, "太": 4, "犬": 4,
    "夂": 3, "夆": 7, "山": 3, "辶": 3, "纟": 3, "峰": 10, "逢": 10, "缝": 13,
    "亻": 2, "何": 7, "艹": 3, "荷": 10, "彐": 3, "雨": 8, "門": 8, "雪": 11,
}


def make_scheme(named=True):
    made = scheme.Scheme(
        decompositions=DECOMPOSITIONS,
        equivalents={"⺮": "竹", "㇒": "丿"},
        radical_forms={"85": {"水", "氵"}, "149": {"言", "讠"}, "37": {"大"}, "173": {"雨"}},
        radical_numbers=RADICALS,
        stroke_counts=STROKES,
        radical_ideographs={"85": "水", "149'": "讠", "37": "大", "94": "犬"},
    )
    if named:
        made.name_compounds([name for name in DECOMPOSITIONS if scheme.cp936_form(name)])
    return made


class LikenessTest(unittest.TestCase):
    def setUp(self):
        self.scheme = make_scheme()

    def score(self, first, second):
        return common_run_length(self.scheme.code(first), self.scheme.code(second))

    def test_same_phonetic_part_links(self):
        self.assertGreaterEqual(self.score("清", "请"), 4)
        self.assertGreaterEqual(self.score("青", "清"), 4)
        self.assertGreaterEqual(self.score("请", "青"), 4)

    def test_sharing_only_the_radical_does_not_link(self):
        self.assertLess(self.score("清", "河"), 4)

    def test_same_outline_links(self):
        self.assertGreaterEqual(self.score("日", "目"), 5)
        self.assertGreaterEqual(self.score("贝", "见"), 5)

    def test_radical_plus_a_stroke_stays_near_the_radical(self):
        self.assertGreaterEqual(self.score("太", "大"), 4)
        self.assertGreaterEqual(self.score("太", "犬"), 4)

    def test_large_part_of_a_part_links_only_when_large(self):
        # 缝 holds 夆 (7 strokes) through 逢, and meets 峰, which holds it.
        self.assertGreaterEqual(self.score("缝", "峰"), 4)
        # 荷 holds 可 (5 strokes) through 何, and does not meet 河.
        self.assertLess(self.score("荷", "河"), 4)

    def test_mirrored_character_does_not_meet_the_small_parts_of_its_base(self):
        # 彐 is the body of 門's half, not of 門: 門 does not list 雪.
        self.assertIn(self.scheme.block("彐"), self.scheme.code("雪"))
        self.assertLess(self.score("門", "雪"), 4)

    def test_no_two_characters_share_a_code(self):
        characters = [name for name in DECOMPOSITIONS if len(name) == 1 and scheme.cp936_form(name)]
        codes = [self.scheme.code(character) for character in characters]
        self.assertEqual(len(set(codes)), len(codes))


class PartsTest(unittest.TestCase):
    def setUp(self):
        self.scheme = make_scheme()

    def test_form_without_cp936_form_uses_its_equivalent_or_base(self):
        self.assertEqual(self.scheme.parts("笑")[1], ["竹", "夭"])
        self.assertEqual(self.scheme.parts("青")[1], ["丰", "月"])

    def test_unnamed_compound_is_a_part_that_links_its_users(self):
        self.assertEqual(self.scheme.parts("吕")[1], ["90003", "口"])
        self.assertEqual(self.scheme.parts("90003")[1], ["口", "日"])
        self.assertEqual(self.scheme.stroke_count("90003"), 7)
        self.assertGreaterEqual(common_run_length(self.scheme.code("吕"), self.scheme.code("侣")), 4)
        # Unless it is named, it stands for its parts.
        self.assertEqual(make_scheme(named=False).parts("吕")[1], ["口", "日", "口"])

    def test_unnamed_stroke_clusters_get_distinct_user_defined_codes(self):
        first = self.scheme.unit_code(self.scheme.parts("由")[1][0])
        second = self.scheme.unit_code(self.scheme.parts("甲")[1][1])
        self.assertNotEqual(first, second)
        for code in (first, second):
            self.assertTrue(0xAA <= code[0] <= 0xAF or 0xF8 <= code[0] <= 0xFE, code)
            self.assertTrue(0xA1 <= code[1] <= 0xFE, code)

    def test_cyclic_table_ends(self):
        self.assertTrue(self.scheme.code("环"))


class BytesTest(unittest.TestCase):
    def test_every_class_mark_is_allowed(self):
        kinds = ["a", "d", "s", "st", "sb", "sl", "sr", "stl", "str", "sbl", "sbr", "w", "wt",
                 "wb", "wl", "wr", "wtl", "wtr", "wbl", "wbr", "lock", "r3tr", "rd", "refh",
                 "rrefr/t", "rrotu", "msp", "me", "d/t", "d/m", "a/o", "built", "split", ""]
        for kind in kinds:
            with self.subTest(kind):
                mark = scheme.class_mark(kind)
                self.assertTrue(0x21 <= mark <= 0x3F and mark != 0x2D, hex(mark))

    def test_generated_lines_are_well_formed(self):
        generator = make_scheme()
        entries = [(name.encode("gbk"), generator.code(name))
                   for name in DECOMPOSITIONS if len(name) == 1 and scheme.cp936_form(name)]
        self.assertEqual(dictfile.check_dictionary(dictfile.format_dictionary(entries)), [])


if __name__ == "__main__":
    unittest.main()
