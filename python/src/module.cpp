// orvalen._core: the look-alike search for Python. Everything is the C++
// core's and the answer library's: this file only turns Python text into
// code page 936 keys and answers into Python objects, and lets go of the GIL
// while the core works, so that threads search side by side.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "answer/answer.h"
#include "answer/render_json.h"
#include "answer/shared_run_text.h"
#include "python/src/dictionary.h"
#ifdef ORVALEN_PYTHON_READINGS
#include "answer/readings.h"
#include "python/src/readings_data.h"
#endif
#include "search/common_run_length.h"
#include "search/search.h"
#include "text/text_codec.h"

namespace py = pybind11;
using orvalen_python::Dictionary;
using DictionaryPtr = std::shared_ptr<Dictionary>;

namespace {

// Python's own exceptions for the module, made once at import.
PyObject* g_dictionaryError = nullptr;
PyObject* g_encodingError = nullptr;
PyObject* g_dictionaryWarning = nullptr;

// The package's data folder, beside this module: the bundled dictionaries
// and the readings data.
std::filesystem::path DataDirectory()
{
    const std::filesystem::path module = py::module_::import("orvalen._core").attr("__file__").cast<std::string>();
    return module.parent_path() / "data";
}

#ifdef ORVALEN_PYTHON_READINGS
const Readings* ReadingsData()
{
    const std::filesystem::path directory = DataDirectory();
    py::gil_scoped_release release;
    return orvalen_python::PackageReadings(directory);
}
#endif

std::size_t CodePoints(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The key of the one character `text` holds, in code page 936. A text of
// another length is a ValueError: a search is for one character, and a
// string of two would only ever answer "no find". A character code page 936
// cannot write is in no dictionary: KeyError, as for any missing one.
std::string KeyOf(const std::string& text, const char* what)
{
    const std::size_t length = CodePoints(text);
    if (length != 1)
        throw py::value_error(std::string(what) + " takes one character, not " + std::to_string(length) + ": " +
                              py::repr(py::str(text)).cast<std::string>());
    std::optional<std::string> key = Utf8ToCp936(text);
    if (!key)
        throw py::key_error("no find: " + text + " (code page 936 has no such character)");
    return *key;
}

const CharEntry& EntryOf(const Dictionary& dictionary, const std::string& text, const char* what)
{
    const CharEntry* entry = dictionary.Find(KeyOf(text, what));
    if (!entry)
        throw py::key_error("no find: " + text);
    return *entry;
}

AnswerOptions Options(int top, int minScore)
{
    if (top < 0)
        throw py::value_error("top must be 0 (all) or more, not " + std::to_string(top));
    if (minScore < kMinimumScore)
        throw py::value_error("min_score must be " + std::to_string(kMinimumScore) +
                              " or more (the search lists nothing below it), not " + std::to_string(minScore));
    return AnswerOptions{top, minScore};
}

py::str Text(std::string_view cp936)
{
    const std::string utf8 = Cp936ToUtf8(cp936);
    return py::str(utf8.data(), utf8.size());
}

// [(score, [chars...]), ...], best first.
py::list Groups(const Answer& answer)
{
    py::list groups(answer.groups.size());
    for (std::size_t i = 0; i < answer.groups.size(); ++i) {
        const ScoreGroup& group = answer.groups[i];
        py::list chars(group.chars.size());
        for (std::size_t k = 0; k < group.chars.size(); ++k)
            chars[k] = Text(group.chars[k]);
        groups[i] = py::make_tuple(group.score, std::move(chars));
    }
    return groups;
}

py::list LookAlikes(const DictionaryPtr& dictionary, const std::string& text, int top, int minScore)
{
    const AnswerOptions options = Options(top, minScore);
    const CharEntry& entry = EntryOf(*dictionary, text, "lookalikes");
    Answer answer;
    {
        py::gil_scoped_release release;
        answer = AnswerEntry(dictionary->Table(), entry, options);
    }
    return Groups(answer);
}

#ifdef ORVALEN_PYTHON_READINGS
// The JSON object orvalen-find --format jsonl --explain prints, as a dict.
py::object Explain(const DictionaryPtr& dictionary, const std::string& text, int top, int minScore)
{
    AnswerOptions options = Options(top, minScore);
    options.explain = true;
    const CharEntry& entry = EntryOf(*dictionary, text, "explain");
    const Readings* readings = ReadingsData();
    std::string line;
    {
        py::gil_scoped_release release;
        AppendJsonLine(line, AnswerEntry(dictionary->Table(), entry, options, readings));
    }
    return py::module_::import("json").attr("loads")(py::str(line));
}

// (pinyin, words) of one character from the readings data.
py::tuple ReadingsOfText(const std::string& text)
{
    const std::string key = KeyOf(text, "readings");
    const CharacterReadings found = ReadingsOf(ReadingsData(), key);
    py::list pinyin, words;
    for (const std::string& reading : found.pinyin) {
        const std::string utf8 = ReadingToUtf8(reading);
        pinyin.append(py::str(utf8.data(), utf8.size()));
    }
    for (const std::string& word : found.words)
        words.append(Text(word));
    return py::make_tuple(pinyin, words);
}
#endif

// How a's search scores b, the run of b's code that a's code shares, and
// that run in the words orvalen-find --compare prints.
struct Listing {
    int score = 0;
    py::bytes run;
    std::string why;  // UTF-8
};

Listing ListingOf(const CharEntry& query, const CharEntry& listed)
{
    SharedRun run;
    int score;
    std::string why;
    {
        py::gil_scoped_release release;
        score = CommonRunLength(listed.code, query.code);
        run = LongestSharedRun(listed.code, query.code);
        why = DescribeSharedRun(listed.code, run);
    }
    return Listing{score, py::bytes(listed.code.substr(run.start, run.length).data(), run.length), std::move(why)};
}

#ifdef ORVALEN_PYTHON_READINGS
// (kind, phrase) of what tells `listed` apart from `query`, or None.
py::object DifferenceObject(const Readings* readings, std::string_view query, std::string_view listed)
{
    if (!readings)
        return py::none();
    const std::optional<Difference> difference = readings->DifferenceOf(query, listed);
    if (!difference)
        return py::none();
    return py::make_tuple(difference->kind, Text(difference->text));
}
#endif

struct Comparison {
    std::string a, b;
    Listing forward, backward;
    py::object difference, reverseDifference;
};

Comparison Compare(const DictionaryPtr& dictionary, const std::string& a, const std::string& b)
{
    const CharEntry& entryA = EntryOf(*dictionary, a, "compare");
    const CharEntry& entryB = EntryOf(*dictionary, b, "compare");
#ifdef ORVALEN_PYTHON_READINGS
    const Readings* readings = ReadingsData();
    return Comparison{a, b, ListingOf(entryA, entryB), ListingOf(entryB, entryA),
                      DifferenceObject(readings, entryA.key, entryB.key),
                      DifferenceObject(readings, entryB.key, entryA.key)};
#else
    return Comparison{a, b, ListingOf(entryA, entryB), ListingOf(entryB, entryA), py::none(), py::none()};
#endif
}

double Similarity(const DictionaryPtr& dictionary, const std::string& a, const std::string& b)
{
    const CharEntry& entryA = EntryOf(*dictionary, a, "similarity");
    const CharEntry& entryB = EntryOf(*dictionary, b, "similarity");
    if (&entryA == &entryB)
        return 1.0;
    int score;
    {
        py::gil_scoped_release release;
        score = CommonRunLength(entryB.code, entryA.code);
    }
    if (score < kMinimumScore)
        return 0.0;
    int top;
    {
        py::gil_scoped_release release;
        top = dictionary->TopScore();
    }
    return static_cast<double>(score) / static_cast<double>(top);
}

// d.table(): the answers of every character in turn, worked out a batch at
// a time without the GIL. One iterator may be shared by threads: each
// character is then handed to exactly one of them.
class TableStream {
public:
    TableStream(DictionaryPtr dictionary, AnswerOptions options)
        : m_dictionary(std::move(dictionary)), m_options(options)
    {
    }

    py::tuple Next()
    {
        std::unique_lock<std::mutex> lock(m_mutex, std::defer_lock);
        {
            // The lock is taken without the GIL: a thread holding it may be
            // waiting for the GIL to hand its answer over.
            py::gil_scoped_release release;
            lock.lock();
            if (m_taken == m_batch.size())
                FillBatch();
        }
        if (m_taken == m_batch.size())
            throw py::stop_iteration();
        const Answer& answer = m_batch[m_taken++];
        return py::make_tuple(Text(answer.key), Groups(answer));
    }

private:
    void FillBatch()
    {
        constexpr std::size_t kBatch = 64;
        const std::vector<std::uint32_t>& first = m_dictionary->FirstEntries();
        const CharTable& table = m_dictionary->Table();
        m_batch.clear();
        m_taken = 0;
        for (; m_next < first.size() && m_batch.size() < kBatch; ++m_next)
            m_batch.push_back(AnswerEntry(table, table[first[m_next]], m_options));
    }

    DictionaryPtr m_dictionary;
    AnswerOptions m_options;
    std::mutex m_mutex;
    std::size_t m_next = 0;  // into FirstEntries()
    std::vector<Answer> m_batch;
    std::size_t m_taken = 0;  // of m_batch
};

DictionaryPtr Open(const std::filesystem::path& path, bool strict)
{
    std::optional<std::string> problem;
    DictionaryPtr dictionary;
    try {
        py::gil_scoped_release release;
        dictionary = Dictionary::Load(path, problem);
    } catch (const orvalen_python::DictionaryFileError& error) {
        PyErr_SetString(g_dictionaryError, error.what());
        throw py::error_already_set();
    }
    if (problem) {
        if (strict) {
            PyErr_SetString(g_encodingError, problem->c_str());
            throw py::error_already_set();
        }
        if (PyErr_WarnEx(g_dictionaryWarning, problem->c_str(), 2) != 0)
            throw py::error_already_set();
    }
    return dictionary;
}

// The bundled dictionaries lie in the package's data folder, beside this
// module; names as orvalen-find's --dict takes them, in any case.
DictionaryPtr Bundled(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    const char* file = lower == "gb2312" ? "hz.txt" : lower == "gbk" ? "hz-gbk.txt" : nullptr;
    if (!file)
        throw py::value_error("no bundled dictionary is called " + py::repr(py::str(name)).cast<std::string>() +
                              "; there are \"gb2312\" (hz.txt) and \"gbk\" (hz-gbk.txt)");
    return Open(DataDirectory() / file, true);
}

py::str ComparisonRepr(const Comparison& c)
{
    return py::str("Comparison(a={!r}, b={!r}, score={}, reverse_score={})")
        .format(c.a, c.b, c.forward.score, c.backward.score);
}

}  // namespace

PYBIND11_MODULE(_core, m)
{
    m.doc() = "The C++ core of the orvalen package; import orvalen instead.";
    // Each docstring starts with its signature in Python's own terms
    // (list[tuple[int, list[str]]], not pybind11's "list").
    py::options options;
    options.disable_function_signatures();
    m.attr("MINIMUM_SCORE") = kMinimumScore;

    py::object dictionaryError = py::reinterpret_steal<py::object>(PyErr_NewExceptionWithDoc(
        "orvalen.DictionaryError",
        "The dictionary file cannot be read, or is refused: missing, a directory, larger than 512 MB or\n"
        "holding more lines than its size allows. The message is orvalen-find's.",
        PyExc_OSError, nullptr));
    py::object encodingError = py::reinterpret_steal<py::object>(PyErr_NewExceptionWithDoc(
        "orvalen.EncodingError",
        "The dictionary file is not code page 936 text (UTF-8, UTF-16, old Mac line ends, empty...), so no\n"
        "search would find its characters. The message is orvalen-find's warning, with how to convert it.",
        PyExc_ValueError, nullptr));
    py::object dictionaryWarning = py::reinterpret_steal<py::object>(PyErr_NewExceptionWithDoc(
        "orvalen.DictionaryWarning",
        "Dictionary.open(path, strict=False) warns with this instead of raising EncodingError.",
        PyExc_UserWarning, nullptr));
    g_dictionaryError = dictionaryError.ptr();
    g_encodingError = encodingError.ptr();
    g_dictionaryWarning = dictionaryWarning.ptr();
    m.attr("DictionaryError") = dictionaryError;
    m.attr("EncodingError") = encodingError;
    m.attr("DictionaryWarning") = dictionaryWarning;

#ifdef ORVALEN_PYTHON_READINGS
    m.def("readings", &ReadingsOfText, py::arg("char"),
          R"(readings(char: str) -> tuple[list[str], list[str]]

(pinyin, words) of char from the readings data that comes with the package:
its readings with tone marks, most common first, and up to three common
words holding it, most frequent first. Empty lists when the data has none.)");
    m.def("difference", [](const std::string& query, const std::string& listed) {
        return DifferenceObject(ReadingsData(), KeyOf(query, "difference"), KeyOf(listed, "difference"));
    }, py::arg("query"), py::arg("listed"),
          R"(difference(query: str, listed: str) -> tuple[str, str] | None

What tells listed apart from query, as --explain says it: (kind, phrase),
kind one of stroke_more, stroke_differs, arrangement, radical, other_part,
other, the phrase a teacher's (上横长, 多一点), possibly empty. None when
the readings data records no difference for that ordered pair.)");
#endif

    py::class_<Comparison>(m, "Comparison", R"(How two characters list each other, as orvalen-find --compare A B says.

The measure is not symmetric when codes hold '-', so both directions are given.

Attributes:
    a, b: the two characters.
    score: how a's search scores b (its longest shared run of code, in bytes).
        b is in a's look-alikes when this is MINIMUM_SCORE (4) or more.
    reverse_score: how b's search scores a.
    run: the bytes of b's code that a's code shares (code page 936 and
        structure bytes, as orvalen-find --why spells them).
    reverse_run: the bytes of a's code that b's code shares.
    why: run in words, as orvalen-find --why and --compare print it: the
        hanzi of the code, 〔无名部件〕 for a part with no hanzi of its own,
        other bytes in hex ("冖 车 [21]"), or 字形相近 for a look-alike block.
    reverse_why: reverse_run in the same words.
    listed: whether either lists the other.)")
        .def_readonly("a", &Comparison::a, "a: str, the first character.")
        .def_readonly("b", &Comparison::b, "b: str, the second character.")
        .def_property_readonly("score", [](const Comparison& c) { return c.forward.score; },
                               "score: int, how a's search scores b; b is listed when it is 4 or more.")
        .def_property_readonly("reverse_score", [](const Comparison& c) { return c.backward.score; },
                               "reverse_score: int, how b's search scores a.")
        .def_property_readonly("run", [](const Comparison& c) { return c.forward.run; },
                               "run: bytes, the run of b's code that a's code shares (score bytes long).")
        .def_property_readonly("reverse_run", [](const Comparison& c) { return c.backward.run; },
                               "reverse_run: bytes, the run of a's code that b's code shares.")
        .def_property_readonly("why", [](const Comparison& c) { return c.forward.why; },
                               "why: str, run in words, as orvalen-find --compare prints it after the score.")
        .def_property_readonly("reverse_why", [](const Comparison& c) { return c.backward.why; },
                               "reverse_why: str, reverse_run in words.")
        .def_property_readonly("listed", [](const Comparison& c) {
            return c.forward.score >= kMinimumScore || c.backward.score >= kMinimumScore;
        }, "listed: bool, whether either lists the other.")
        .def_readonly("difference", &Comparison::difference,
                      "difference: (kind, phrase) or None, what tells b apart from a, as --explain says it.")
        .def_readonly("reverse_difference", &Comparison::reverseDifference,
                      "reverse_difference: (kind, phrase) or None, what tells a apart from b.")
        .def("__repr__", &ComparisonRepr);

    py::class_<TableStream, std::shared_ptr<TableStream>>(m, "TableStream", R"(An iterator over the whole look-alike table: (char, groups) pairs.

Made by Dictionary.table(). Answers are worked out in batches, without the
GIL; one stream may be read by several threads, each pair then going to one
of them.)")
        .def("__iter__", [](TableStream& self) -> TableStream& { return self; }, "__iter__() -> TableStream")
        .def("__next__", &TableStream::Next, "__next__() -> tuple[str, list[tuple[int, list[str]]]]");

    py::class_<Dictionary, std::shared_ptr<Dictionary>> dictionaryClass(m, "Dictionary", R"(A look-alike dictionary: a table of characters and structure codes.

Make one with Dictionary.bundled("gb2312" or "gbk") or Dictionary.open(path).
A dictionary never changes once read, and may be searched from several
threads at once.)");
    dictionaryClass.def_static("open", &Open, py::arg("path"), py::kw_only(), py::arg("strict") = true,
                    R"(open(path: str | os.PathLike, *, strict: bool = True) -> Dictionary

Reads the dictionary file at path, as orvalen-find --dict path does.

The same limits apply (at most 512 MB, and a number of lines fitting its
size). A file that cannot be read raises DictionaryError, with
orvalen-find's message. A file that is not code page 936 text (UTF-8,
UTF-16...) raises EncodingError, or with strict=False warns
(DictionaryWarning) and is read anyway, as orvalen-find does.)")
        .def_static("bundled", &Bundled, py::arg("name") = "gb2312",
                    R"(bundled(name: str = "gb2312") -> Dictionary

One of the dictionaries that come with the package: "gb2312" (hz.txt,
the 6763 characters of GB 2312) or "gbk" (hz-gbk.txt, 20902 characters, traditional
ones among them). Reading the GBK one, index included, takes about 0.1 s.)")
        .def_property_readonly("path", &Dictionary::Path, "path: str, the file the dictionary was read from.")
        .def("__len__", [](const Dictionary& d) { return d.Table().size(); }, "__len__() -> int: the number of entries (lines).")
        .def("__contains__", [](const Dictionary& d, const std::string& text) {
            std::optional<std::string> key = CodePoints(text) == 1 ? Utf8ToCp936(text) : std::nullopt;
            return key && d.Find(*key) != nullptr;
        }, py::arg("char"), "__contains__(char: str) -> bool: whether the dictionary can look char up.")
        .def("__repr__", [](const Dictionary& d) {
            return py::str("<orvalen.Dictionary {!r}, {} entries>").format(d.Path(), d.Table().size());
        })
        .def("lookalikes", &LookAlikes, py::arg("char"), py::kw_only(), py::arg("top") = 0,
             py::arg("min_score") = kMinimumScore,
             R"(lookalikes(char: str, *, top: int = 0, min_score: int = 4) -> list[tuple[int, list[str]]]

The look-alikes of char, as orvalen-find lists them: [(score, [chars]), ...].

One (score, characters) pair per score group, best first; the characters of
a group in dictionary order. top=N keeps the N best matches (0: all), still
in their groups; min_score=S keeps the groups scoring S or more (S >= 4, the
search's own threshold). A character the dictionary lacks raises KeyError
("no find: X"); check with `char in d` first. A string that is not exactly
one character raises ValueError.)")
        ;
#ifdef ORVALEN_PYTHON_READINGS
    dictionaryClass.def("explain", &Explain, py::arg("char"), py::kw_only(), py::arg("top") = 0,
             py::arg("min_score") = kMinimumScore,
             R"(explain(char: str, *, top: int = 0, min_score: int = 4) -> dict

The answer for char with its readings, as orvalen-find --format jsonl --explain
prints it, as a dict: "char", "groups" ([{"score": 45, "chars": ["末"]}, ...]),
"pinyin" and "words" of char, and "about": for each listed character its
"pinyin", "words" and "difference" ({"kind": ..., "text": ...}, or None when
none is recorded). Raises KeyError and ValueError as lookalikes() does.)");
#endif
    dictionaryClass.def("compare", &Compare, py::arg("a"), py::arg("b"),
             R"(compare(a: str, b: str) -> Comparison

How a and b list each other, as orvalen-find --compare a b says.

Raises KeyError when the dictionary lacks either.)")
        .def("similarity", &Similarity, py::arg("a"), py::arg("b"),
             R"(similarity(a: str, b: str) -> float

A number in [0, 1]: how alike b is to a, as a's list ranks it.

It is score / top: score is how a's search scores b (the score of b's group
in d.lookalikes(a)), top the highest score the dictionary gives any pair;
0 when a's list does not hold b (a score below 4). So it orders pairs
exactly as their scores do, within one list and across lists; 1 is as alike
as the dictionary's closest pair (in the bundled ones, twins a stroke apart
such as 未 and 末), and a character and itself give 1. Like the lists it is
not symmetric when codes hold '-'. Characters with identical codes are never
listed, and give 0. The first call works out top from the whole table (about
0.5 s for the GBK dictionary); later calls cost one comparison of codes.)")
        .def("table", [](const DictionaryPtr& d, int top, int minScore) {
            return std::make_shared<TableStream>(d, Options(top, minScore));
        }, py::kw_only(), py::arg("top") = 0, py::arg("min_score") = kMinimumScore,
             R"(table(*, top: int = 0, min_score: int = 4) -> Iterator[tuple[str, list[tuple[int, list[str]]]]]

Every character's look-alikes, as orvalen-find --all lists them.

Yields (char, groups) for each key in dictionary order (a key given twice
once, as its first line), groups as lookalikes() gives them, with the same
top and min_score. Streams: a batch of answers at a time.)");
}
