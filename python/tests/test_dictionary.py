"""Reading dictionaries, looking characters up, and the answers' shapes."""

import re
import warnings

import pytest

import orvalen


def write(path, data):
    path.write_bytes(data)
    return path


def cp936(text):
    return text.encode("gbk")


# Files orvalen-find refuses or warns about, made from the bundled
# dictionary's first lines where they need content.
SAMPLE = "未 ABCDEFG \n末 ABCDEFH \n车 XYZW12 \n"


def bad_files(tmp_path):
    return {
        "missing": tmp_path / "missing.txt",
        "directory": tmp_path,
        "too many lines": write(tmp_path / "lines.txt", b"\n" * (4 * 1024 * 1024 + 1)),
        "utf-8": write(tmp_path / "utf8.txt", SAMPLE.encode("utf-8")),
        "utf-16": write(tmp_path / "utf16.txt", SAMPLE.encode("utf-16")),
        "empty": write(tmp_path / "empty.txt", b""),
    }


@pytest.mark.parametrize(
    "case, error",
    [
        ("missing", orvalen.DictionaryError),
        ("directory", orvalen.DictionaryError),
        ("too many lines", orvalen.DictionaryError),
        ("utf-8", orvalen.EncodingError),
        ("utf-16", orvalen.EncodingError),
        ("empty", orvalen.EncodingError),
    ],
)
def test_a_bad_file_raises_with_orvalen_finds_message(case, error, tmp_path, orvalen_find):
    path = bad_files(tmp_path)[case]
    with pytest.raises(error) as raised:
        orvalen.Dictionary.open(path)
    status, _, err = orvalen_find("--dict", str(path), "车")
    # orvalen-find: "dictionary: REASON; name another with ..." when it
    # cannot read the file, "warning: dictionary "PATH" PROBLEM" when it
    # reads it but it is not code page 936 text.
    said = re.match(r"orvalen-find: (?:dictionary: (.*); name another with .*|warning: (.*))$", err.splitlines()[0])
    assert said, err
    assert str(raised.value) == (said.group(1) or said.group(2))
    if error is orvalen.DictionaryError:
        assert isinstance(raised.value, OSError) and status == 2


def test_a_file_in_another_encoding_can_be_read_anyway_with_a_warning(tmp_path):
    path = write(tmp_path / "utf8.txt", SAMPLE.encode("utf-8"))
    with pytest.warns(orvalen.DictionaryWarning, match="UTF-8"):
        d = orvalen.Dictionary.open(path, strict=False)
    assert len(d) == 3 and "未" not in d


def test_an_own_dictionary_is_searched_as_its_lines_say(tmp_path):
    path = write(tmp_path / "own.txt", cp936(SAMPLE + "未 QQQQ \n"))
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        d = orvalen.Dictionary.open(str(path))
    assert d.path == str(path) and len(d) == 4
    # 未 is looked up by its first line; its later line is another entry,
    # which shares nothing with it.
    assert d.lookalikes("未") == [(6, ["末"])]
    assert d.lookalikes("车") == []
    assert "车" in d and "马" not in d and "未末" not in d and "" not in d


@pytest.mark.parametrize("text", ["", "未末", "未 ", "ab"])
def test_a_query_of_other_than_one_character_is_a_value_error(gb2312, text):
    with pytest.raises(ValueError, match="one character"):
        gb2312.lookalikes(text)
    with pytest.raises(ValueError, match="one character"):
        gb2312.compare(text, "未")


@pytest.mark.parametrize("text", ["車", "x", "😀", "\x1b"])
def test_a_character_the_dictionary_lacks_is_a_key_error(gb2312, text):
    assert text not in gb2312
    with pytest.raises(KeyError, match="no find"):
        gb2312.lookalikes(text)
    with pytest.raises(KeyError, match="no find"):
        gb2312.similarity("未", text)


def test_text_that_is_no_unicode_is_refused_not_crashed_on(gb2312):
    with pytest.raises((TypeError, UnicodeError)):
        gb2312.lookalikes("\ud800")


def test_bundled_names_and_the_gbk_dictionary(gbk):
    assert orvalen.Dictionary.bundled("GBK").path == gbk.path
    assert len(orvalen.Dictionary.bundled()) == 6763 and len(gbk) == 20902
    assert gbk.lookalikes("車")[0][1]  # traditional characters are in it
    with pytest.raises(ValueError, match="gb2312"):
        orvalen.Dictionary.bundled("big5")


@pytest.mark.parametrize(
    "options, error",
    [({"top": -1}, "top"), ({"min_score": 3}, "min_score"), ({"min_score": -5}, "min_score")],
)
def test_options_out_of_range_are_value_errors(gb2312, options, error):
    with pytest.raises(ValueError, match=error):
        gb2312.lookalikes("未", **options)
    with pytest.raises(ValueError, match=error):
        gb2312.table(**options)


def test_compare_gives_both_directions_as_orvalen_find_does(gb2312, orvalen_find):
    for a, b in [("未", "末"), ("请", "清"), ("车", "马"), ("口", "品"), ("己", "已")]:
        c = gb2312.compare(a, b)
        assert (c.a, c.b) == (a, b)
        _, out, _ = orvalen_find("--dict", "gb2312", "--compare", a, b)
        if c.listed:
            # Both directions' lines, the run in the same words.
            lines = out.splitlines()
            assert lines[0] == f"{a} {'lists' if c.score >= 4 else 'does not list'} {b} ({c.score}): {c.why}"
            assert lines[1] == f"{b} {'lists' if c.reverse_score >= 4 else 'does not list'} {a} ({c.reverse_score}): {c.reverse_why}"
            assert len(c.run) == c.score and len(c.reverse_run) == c.reverse_score
        else:
            assert "neither lists the other" in out and max(c.score, c.reverse_score) < 4
    assert repr(gb2312.compare("未", "末")) == "Comparison(a='未', b='末', score=45, reverse_score=45)"


def test_similarity_ranks_as_the_lists_do(gb2312):
    top = max(groups[0][0] for _, groups in gb2312.table(top=1) if groups)
    for query in "未请车口木":
        groups = gb2312.lookalikes(query)
        for score, chars in groups:
            for char in chars:
                assert gb2312.similarity(query, char) == pytest.approx(score / top)
        # Characters not listed give 0; the character itself 1.
        listed = {char for _, chars in groups for char in chars}
        assert all(gb2312.similarity(query, c) == 0 for c in "的一是了我不人在" if c not in listed and c != query)
        assert gb2312.similarity(query, query) == 1.0
    values = [gb2312.similarity("未", c) for c in "末木本林"]
    assert values == sorted(values, reverse=True) and 0 < values[-1] < values[0] <= 1


def test_help_reads_as_the_packages(gb2312):
    assert orvalen.Dictionary.__module__ == "orvalen"
    # pybind11's own signatures are off; each docstring gives its own.
    for method in ("lookalikes", "compare", "similarity", "table", "open", "bundled"):
        first_line = getattr(orvalen.Dictionary, method).__doc__.splitlines()[0]
        assert first_line.startswith(method + "(") and " -> " in first_line, first_line
    assert repr(gb2312).startswith("<orvalen.Dictionary '") and "6763 entries" in repr(gb2312)
