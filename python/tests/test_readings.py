"""Readings, words and differences: the same as orvalen-find --explain."""

import json

import pytest

import orvalen

pytestmark = pytest.mark.skipif(not hasattr(orvalen, "readings"), reason="built without the readings data's library")


@pytest.mark.parametrize("char, options", [("未", {}), ("请", {"top": 3}), ("车", {"min_score": 25}), ("大", {})])
def test_explain_is_orvalen_finds_explain_line(gb2312, orvalen_find, char, options):
    args = ["--dict", "gb2312", "--format", "jsonl", "--explain", char]
    # orvalen-find's --top takes 1 and more: it is given only when set.
    if "top" in options:
        args += ["--top", str(options["top"])]
    if "min_score" in options:
        args += ["--min-score", str(options["min_score"])]
    status, out, err = orvalen_find(*args)
    assert status == 0, err
    assert gb2312.explain(char, **options) == json.loads(out)


def test_readings_and_differences_are_those_explain_gives(gbk):
    for query in "未请大車":
        answer = gbk.explain(query)
        assert orvalen.readings(query) == (answer["pinyin"], answer["words"])
        for listed, about in answer["about"].items():
            assert orvalen.readings(listed) == (about["pinyin"], about["words"])
            recorded = about["difference"]
            expected = None if recorded is None else (recorded["kind"], recorded["text"])
            assert orvalen.difference(query, listed) == expected
            comparison = gbk.compare(query, listed)
            assert comparison.difference == expected
            assert comparison.reverse_difference == orvalen.difference(listed, query)


def test_the_bundled_data_reads_as_it_should():
    pinyin, words = orvalen.readings("未")
    assert pinyin[0] == "wèi" and all("未" in word for word in words)
    assert orvalen.difference("未", "末") is not None
    # A character outside the data, and one no code page 936 has.
    assert orvalen.readings("a") == ([], [])
    with pytest.raises(KeyError):
        orvalen.readings("😀")
    with pytest.raises(ValueError):
        orvalen.difference("未末", "末")
