"""The program's search, redone in Python for measuring a dictionary.

Codes never contain '-', the byte the program pads with, so its score is the
length of the longest common substring of the two codes, and 0 for two equal
codes.  A 4-gram index finds the entries that can reach the threshold of 4,
so only those are scored.
"""

import statistics

MINIMUM_SCORE = 4
SAMPLE_QUERIES = "请车木日目未己土人大太问戌贝侯辩"


def longest_common_run(first, second):
    """Length of the longest run two strings (or byte strings) share."""
    shorter, longer = sorted((first, second), key=len)
    best = start = 0
    length = len(shorter)
    # Only a run longer than the best so far matters, so from each start try
    # one more than the best, and grow the best while that piece occurs in
    # the longer one: a linear number of substring searches.  When the piece
    # does not occur and neither do its last four bytes, no piece of that
    # length holding them does: the next start is past them.
    while start + best < length:
        end = start + best + 1
        if shorter[start:end] in longer:
            best += 1
        elif best >= 4 and shorter[end - 4:end] not in longer:
            start = end - 3
        else:
            start += 1
    return best


def common_run_length(entry_code, query_code):
    """Length of the longest byte run the codes share; 0 for equal codes."""
    return 0 if entry_code == query_code else longest_common_run(entry_code, query_code)


class Searcher:
    def __init__(self, entries):
        """entries: (key, code) pairs in table order."""
        self.entries = list(entries)
        self.results = {}
        # Scores of code pairs, either way round: a search of every key
        # scores each pair twice, once from each side.
        self.scores = {}
        self.first_code = {}
        self.index = {}
        for position, (key, code) in enumerate(self.entries):
            self.first_code.setdefault(key, code)
            for start in range(len(code) - MINIMUM_SCORE + 1):
                self.index.setdefault(code[start:start + MINIMUM_SCORE], set()).add(position)

    def rank(self, query_code):
        """[(key, score)] scoring 4 or more, best first, table order within a score."""
        candidates = set()
        for start in range(len(query_code) - MINIMUM_SCORE + 1):
            candidates |= self.index.get(query_code[start:start + MINIMUM_SCORE], set())
        scored = []
        scores = self.scores
        for position in sorted(candidates):
            key, code = self.entries[position]
            pair = (code, query_code) if code < query_code else (query_code, code)
            score = scores.get(pair)
            if score is None:
                score = scores[pair] = common_run_length(code, query_code)
            if score >= MINIMUM_SCORE:
                scored.append((key, score))
        scored.sort(key=lambda item: -item[1])  # stable: keeps table order
        return scored

    def search(self, key):
        """The result lines for a query key, or None when the key is missing.
        Kept for the next search of the same key; don't change them."""
        if key in self.results:
            return self.results[key]
        code = self.first_code.get(key)
        if code is None:
            return None
        lines, previous = [], None
        for match, score in self.rank(code):
            if score != previous:
                lines.append([])
                previous = score
            lines[-1].append(match)
        self.results[key] = lines
        return lines


def format_lines(lines):
    """The result text as the program renders it: each key followed by a
    space, score groups separated by CR LF."""
    return b"\r\n".join(b"".join(key + b" " for key in line) for line in lines)


def measure(searcher, queries):
    """Result counts over all queries: median, 90th percentile, maximum and
    the share of queries with no result."""
    counts = sorted(sum(len(line) for line in searcher.search(query)) for query in queries)
    ninetieth = counts[min(len(counts) - 1, (len(counts) * 9 + 9) // 10 - 1)]
    return {
        "queries": len(counts),
        "median": statistics.median(counts),
        "p90": ninetieth,
        "max": counts[-1],
        "no_result_share": sum(1 for count in counts if count == 0) / len(counts),
    }
