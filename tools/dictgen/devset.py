"""The development set of look-alike groups, and how well a dictionary
lists them.

A reader meets a search's results group by group, best score first, and
within a group in table order, so a pair's rank is the position of the
partner in that reading order.
"""

import itertools
from pathlib import Path

DEVSET_FILE = Path(__file__).resolve().parent / "lookalikes.txt"
KINDS = ("pair", "family")


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


def ordered_pairs(groups, kind=None):
    """Every (query, partner) of every group, each once."""
    pairs = {}
    for group_kind, members in groups:
        if kind is None or group_kind == kind:
            for pair in itertools.permutations(members, 2):
                pairs.setdefault(pair, None)
    return list(pairs)


def partner_ranks(searcher, pairs):
    """{(query, partner): 1-based position in the query's list, or None},
    for the pairs whose two characters the dictionary both holds."""
    ranks, positions = {}, {}
    for query, partner in pairs:
        query_key, partner_key = query.encode("gbk"), partner.encode("gbk")
        if query_key not in searcher.first_code or partner_key not in searcher.first_code:
            continue
        if query_key not in positions:
            listed = [key for line in searcher.search(query_key) for key in line]
            positions[query_key] = {key: index for index, key in
                                    reversed(list(enumerate(listed, start=1)))}
        ranks[(query, partner)] = positions[query_key].get(partner_key)
    return ranks


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


def format_recall(figures):
    return (f"{figures['pairs']} pairs: found {figures['found']:.1%}, R@1 {figures['r1']:.1%}, "
            f"R@5 {figures['r5']:.1%}, R@10 {figures['r10']:.1%}, MRR {figures['mrr']:.3f}")
