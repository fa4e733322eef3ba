import unittest

from dictgen import lookalike


class FixedSignals:
    """Likeness from a table, as Signals.likeness is called."""

    def __init__(self, table):
        self.table = table

    def likeness(self, first, second, tree_score, glyph=None):
        return self.table[(first, second)]


class SimplifiedGradingTest(unittest.TestCase):
    # 0 and 1 are simplified characters (车 东); 3 and 2 their traditional
    # forms, in the other order (東 車); 4 is a traditional character with
    # no simplified form.
    SIMPLIFIED_OF = [None, None, 1, 0, None]

    def test_traditional_forms_of_alike_simplified_pairs_are_graded_up_not_promoted(self):
        signals = FixedSignals({(2, 3): 0.51, (3, 4): 0.5})
        simplified_likeness = {(0, 1): 0.6}
        likeness, grading = lookalike.likeness_for_grading(
            signals, {(3, 4): 0.5}, {}, self.SIMPLIFIED_OF, simplified_likeness)
        # The traditional pair is a candidate even though nothing found it.
        self.assertEqual(likeness, {(2, 3): 0.51, (3, 4): 0.5})
        self.assertAlmostEqual(grading[(2, 3)], 0.51 + lookalike.SIMPLIFIED_WEIGHT * 0.6)
        self.assertEqual(grading[(3, 4)], 0.5)

        links = lookalike.promoted_links(likeness, 5, lambda index: 1, lambda index: 1, {},
                                         grading=grading)
        # 3 promotes 2, its likeliest by its own likeness, and the link takes
        # the raised grade.  4, which nothing else would list, keeps its
        # likeliest though 3 holds all the links it may.
        self.assertEqual(links, [(2, 3, lookalike.grade(grading[(2, 3)])), (3, 4, 9)])
        self.assertGreater(lookalike.grade(grading[(2, 3)]), lookalike.grade(0.51))


if __name__ == "__main__":
    unittest.main()
