import unittest

from dictgen import devset, similar


class RankTest(unittest.TestCase):
    # 甲 lists 乙 丙 at 6 and 丁 戊 at 5, in table order within a score.
    ENTRIES = [("甲", b"AAAAAAxy"), ("乙", b"AAAAAAzw"), ("丙", b"zAAAAAAq"),
               ("丁", b"AAAAAvvv"), ("戊", b"uAAAAAuu")]

    def searcher(self):
        return similar.Searcher((key.encode("gbk"), code) for key, code in self.ENTRIES)

    def test_ideal_ranks_put_partners_first_in_their_score_group(self):
        pairs = [("甲", "丙"), ("甲", "戊"), ("甲", "丁"), ("甲", "己")]
        self.assertEqual(devset.partner_ranks(self.searcher(), pairs),
                         {("甲", "丙"): 2, ("甲", "戊"): 4, ("甲", "丁"): 3})
        # Two partners in one group take its first two places, in their order.
        self.assertEqual(devset.partner_ranks(self.searcher(), pairs, ideal=True),
                         {("甲", "丙"): 1, ("甲", "戊"): 4, ("甲", "丁"): 3})
        self.assertAlmostEqual(devset.tie_cost(self.searcher(), pairs[:2]),
                               (1 + 1 / 3 - 1 / 2 - 1 / 4) / 2)

    def test_halves_are_fixed_by_the_line_and_split_the_set(self):
        groups = devset.read_groups()
        halves = [devset.half(kind, members) for kind, members in groups]
        self.assertEqual(devset.half("pair", ["土", "士"]), devset.half("pair", ("土", "士")))
        self.assertLess(abs(halves.count("tuning") - halves.count("held-out")), len(groups) / 5)


if __name__ == "__main__":
    unittest.main()
