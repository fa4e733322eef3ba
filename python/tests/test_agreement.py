"""The module against orvalen-find, on every character of both bundled
dictionaries: the same lists, through lookalikes() and through table()."""

import json

import pytest

import orvalen

pytestmark = pytest.mark.whole_dictionary


@pytest.mark.parametrize(
    "name, options",
    [
        ("gb2312", {}),
        ("gbk", {}),
        # The options cut the lists as --top and --min-score do: --top
        # first, then whole groups below the score go.
        ("gb2312", {"top": 5, "min_score": 10}),
    ],
)
def test_every_query_lists_what_orvalen_find_lists(name, options, orvalen_find):
    args = ["--dict", name, "--all", "--format", "jsonl"]
    if "top" in options:
        args += ["--top", str(options["top"]), "--min-score", str(options["min_score"])]
    status, out, err = orvalen_find(*args)
    assert status == 0, err
    expected = [json.loads(line) for line in out.splitlines()]
    expected = [(item["char"], [(g["score"], g["chars"]) for g in item["groups"]]) for item in expected]

    d = orvalen.Dictionary.bundled(name)
    assert list(d.table(**options)) == expected
    # Each character looked up on its own gives the same list.
    for char, groups in expected:
        assert d.lookalikes(char, **options) == groups, char


@pytest.mark.skipif(not hasattr(orvalen, "readings"), reason="built without the readings data's library")
def test_every_explained_answer_is_orvalen_finds(orvalen_find):
    status, out, err = orvalen_find("--dict", "gbk", "--all", "--format", "jsonl", "--explain")
    assert status == 0, err
    d = orvalen.Dictionary.bundled("gbk")
    for line in out.splitlines():
        expected = json.loads(line)
        assert d.explain(expected["char"]) == expected, expected["char"]
