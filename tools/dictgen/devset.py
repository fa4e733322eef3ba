"""The development set of look-alike groups, and how well a dictionary
lists them.

A reader meets a search's results group by group, best score first, and
within a group in table order, so a pair's rank is the position of the
partner in that reading order.
"""

import hashlib
import itertools
from pathlib import Path

DEVSET_FILE = Path(__file__).resolve().parent / "lookalikes.txt"
KINDS = ("pair", "family")
# The set's two fixed halves: weights and thresholds are tuned on the first
# and judged on the second.
HALVES = ("tuning", "held-out")


def parse_groups(text):
    """[(kind, [characters])] from the set's text; '#' starts a comment."""
    groups = []
    for number, line in enumerate(text.splitlines(), start=1):
        line = line.split("#", 1)[0].split()
        if not line:
            continue
        kind, members = line[0], list(dict.fromkeys(line[1:]))
        if kind not in KINDS or len(members) < 2 or any(len(member) != 1 for member in members):
            raise ValueError(f"{DEVSET_FILE.name} line {number}: expected a kind "
                             f"({' or '.join(KINDS)}) and two or more characters")
        groups.append((kind, members))
    return groups


def read_groups(path=DEVSET_FILE):
    return parse_groups(Path(path).read_text(encoding="utf-8"))


def half(kind, members):
    """The half a group belongs to, by a hash of its line: fixed whatever
    lines are added or moved."""
    line = " ".join([kind] + list(members)).encode("utf-8")
    return HALVES[hashlib.sha256(line).digest()[0] & 1]


def select(groups, common, which_half=None, traditional=False):
    """The groups of one half (or both), simplified or traditional: a group
    with a character outside `common` (the GB2312 hanzi) is traditional."""
    return [(kind, members) for kind, members in groups
            if (which_half is None or half(kind, members) == which_half)
            and any(member not in common for member in members) == traditional]


def ordered_pairs(groups, kind=None):
    """Every (query, partner) of every group, each once."""
    pairs = {}
    for group_kind, members in groups:
        if kind is None or group_kind == kind:
            for pair in itertools.permutations(members, 2):
                pairs.setdefault(pair, None)
    return list(pairs)


def partner_ranks(searcher, pairs, ideal=False):
    """{(query, partner): 1-based position in the query's list, or None},
    for the pairs whose two characters the dictionary both holds.

    With `ideal`, the position under a perfect order within score groups:
    a query's partners first in their group, so that what is left between
    the two is the share of the ranking left to the table's order."""
    ranks, partners = {}, {}
    for query, partner in pairs:
        query_key, partner_key = query.encode("gbk"), partner.encode("gbk")
        if query_key in searcher.first_code and partner_key in searcher.first_code:
            partners.setdefault(query_key, []).append((query, partner))
    for query_key, query_pairs in partners.items():
        place, before = {}, 0
        for number, line in enumerate(searcher.search(query_key)):
            for position, key in enumerate(line, start=before + 1):
                place.setdefault(key, (number, position, before))
            before += len(line)
        found = sorted((place[pair[1].encode("gbk")], pair) for pair in query_pairs
                       if pair[1].encode("gbk") in place)
        for pair in query_pairs:
            ranks[pair] = None
        for index, ((number, position, before), pair) in enumerate(found):
            if ideal:
                ahead = sum(1 for (other, _, _), _ in found[:index] if other == number)
                position = before + 1 + ahead
            ranks[pair] = position
    return {pair: ranks[pair] for pair in pairs if pair in ranks}


def recall_figures(ranks):
    """found, R@1, R@5, R@10 (shares of pairs) and the mean reciprocal rank."""
    values = list(ranks.values())
    total = len(values) or 1

    def within(limit):
        return sum(1 for rank in values if rank is not None and rank <= limit) / total

    return {
        "pairs": len(values),
        "found": within(float("inf")),
        "r1": within(1),
        "r5": within(5),
        "r10": within(10),
        "mrr": sum(1 / rank for rank in values if rank is not None) / total,
    }


def tie_cost(searcher, pairs, ranks=None):
    """The mean reciprocal rank a perfect order within score groups would
    give, minus the actual one; `ranks`, if given, are the pairs' actual
    ranks (partner_ranks)."""
    actual = recall_figures(ranks if ranks is not None else partner_ranks(searcher, pairs))["mrr"]
    return recall_figures(partner_ranks(searcher, pairs, ideal=True))["mrr"] - actual
