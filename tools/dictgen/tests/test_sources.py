import unittest

from dictgen import sources


class MainlandOrderTest(unittest.TestCase):
    def test_levels_come_first_and_missing_classes_are_estimated_from_counts(self):
        # 丙 has no frequency class but is counted about as often as 甲 (class
        # 1); 戊 has class 1 but lies outside the Table's common characters.
        frequency = {"甲": "1", "乙": "3", "丁": "5", "戊": "1"}
        counts = {"甲": 5000, "乙": 300, "丙": 4000, "丁": 30}
        levels = {"甲": 1, "乙": 1, "丙": 1, "丁": 1, "戊": 2}
        order = sources.mainland_commonness_order(["戊", "丁", "乙", "甲", "丙"], frequency, {},
                                                  counts, levels)
        self.assertEqual(order, ["甲", "丙", "乙", "丁", "戊"])


if __name__ == "__main__":
    unittest.main()
