import random
import unittest

from dictgen import similar, tokens


def literal_measure(entry, query):
    """The program's measure step by step: the query padded with '-' on both
    sides, the entry slid along it, runs counted at each shift."""
    if entry == query:
        return 0
    m = len(entry)
    padded = b"-" * m + query + b"-" * m
    best = 0
    for shift in range(len(padded) - m):
        run = 0
        for k in range(m):
            if entry[k] == padded[shift + k]:
                run += 1
            else:
                best, run = max(best, run), 0
        best = max(best, run)
    return best


class MeasureTest(unittest.TestCase):
    def test_equals_the_literal_measure_on_codes_without_dashes(self):
        rng = random.Random(20261207)
        alphabet = b"ABC!\xb0\xa1"
        for _ in range(3000):
            entry = bytes(rng.choice(alphabet) for _ in range(rng.randint(0, 12)))
            query = bytes(rng.choice(alphabet) for _ in range(rng.randint(0, 12)))
            self.assertEqual(similar.common_run_length(entry, query),
                             literal_measure(entry, query), (entry, query))

    def test_long_codes_sharing_pieces(self):
        # Codes long enough that runs of four and more are common, so the
        # search skips ahead as it does on real codes; against a table of
        # the runs ending at each pair of places.
        def table_measure(first, second):
            best, previous = 0, [0] * (len(second) + 1)
            for a in first:
                row = [0]
                for j, b in enumerate(second):
                    row.append(previous[j] + 1 if a == b else 0)
                best = max(best, max(row))
                previous = row
            return best

        rng = random.Random(20261208)
        pieces = [bytes(rng.choice(b"AB!\xb0") for _ in range(rng.randint(1, 7)))
                  for _ in range(6)]
        for _ in range(600):
            first, second = (b"".join(rng.choice(pieces) for _ in range(rng.randint(0, 10)))
                             for _ in range(2))
            self.assertEqual(similar.longest_common_run(first, second),
                             table_measure(first, second), (first, second))

    def test_examples(self):
        self.assertEqual(similar.common_run_length(b"ABCDE", b"XBCDY"), 3)
        self.assertEqual(similar.common_run_length(b"ABCD", b"XXABCDXX"), 4)
        self.assertEqual(similar.common_run_length(b"ABCD", b"CDAB"), 2)
        self.assertEqual(similar.common_run_length(b"ABCD", b"ABCD"), 0)


class SearchTest(unittest.TestCase):
    def test_indexed_search_equals_scoring_every_entry(self):
        rng = random.Random(7)
        alphabet = b"ABCDE"
        entries = [(bytes([0xB0, 0xA1 + i]), bytes(rng.choice(alphabet) for _ in range(rng.randint(1, 9))))
                   for i in range(80)]
        searcher = similar.Searcher(entries)
        for key, code in entries:
            scored = [(other, literal_measure(other_code, code)) for other, other_code in entries]
            expected = sorted([item for item in scored if item[1] >= 4], key=lambda item: -item[1])
            self.assertEqual(searcher.rank(code), expected)

    def test_groups_by_score_in_table_order_and_skips_equal_codes(self):
        entries = [(b"k1", b"ABCDEF"), (b"k2", b"xABCDy"), (b"k3", b"ABCDEF"),
                   (b"k4", b"ABCDEz"), (b"k5", b"zzBCDE"), (b"k6", b"ABC")]
        lines = similar.Searcher(entries).search(b"k1")
        self.assertEqual(lines, [[b"k4"], [b"k2", b"k5"]])
        self.assertEqual(similar.format_lines(lines), b"k4 \r\nk2 k5 ")
        self.assertIsNone(similar.Searcher(entries).search(b"k9"))


class LookAlikeBlockTest(unittest.TestCase):
    def test_blocks_link_exactly_their_pairs_at_their_grade(self):
        # Component codes that share runs among themselves and dense links:
        # the blocks must add exactly the linked pairs, each at its grade,
        # and link no other pair.  (A run at the start of two component
        # codes may take in a byte of the keys before them.)  Component
        # codes start with a mark, as the scheme's do, or with the key.
        rng = random.Random(11)
        count = 60
        keys = [bytes([0xB0 + i // 10, 0xA1 + i % 10]) for i in range(count)]
        alphabet = b"AB!\xb0\xa1\xb0"
        components = [rng.choice((b"!", b"")) + key
                      + bytes(rng.choice(alphabet) for _ in range(rng.randint(0, 8)))
                      for key in keys]
        links = {}
        while len(links) < 150:
            first, second = sorted(rng.sample(range(count), 2))
            links[(first, second)] = rng.choice(tokens.GRADES)
        codes = tokens.attach(components, [(a, b, g) for (a, b), g in links.items()], keys)
        for index, code in enumerate(codes):
            blocks, _, component = tokens.split_code(code)
            self.assertEqual(component, components[index])
            self.assertEqual(len(blocks), sum(index in pair for pair in links))
        for first in range(count):
            for second in range(count):
                if first == second:
                    continue
                before = similar.common_run_length(components[first], components[second])
                after = similar.common_run_length(codes[first], codes[second])
                grade = links.get((min(first, second), max(first, second)))
                if grade is None:
                    self.assertEqual(after >= 4, before >= 4, (first, second))
                    if before >= 4:
                        self.assertIn(after - before, (0, 1), (first, second))
                elif before > grade + 3:
                    self.assertIn(after - before, (0, 1), (first, second))
                else:
                    self.assertEqual(after, grade, (first, second))


if __name__ == "__main__":
    unittest.main()
