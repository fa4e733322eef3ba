#include "command_line.h"

#include <new>
#include <string_view>

#include "cli/dictionary_file/dictionary_path.h"
#include "cli/dictionary_file/gbk_hint.h"
#include "cli/dictionary_file/readings_files.h"
#include "cli/input/input_queries.h"
#include "cli/input/prompt.h"
#include "cli/input/query_text.h"
#include "cli/options.h"
#include "cli/output/all_matches.h"
#include "cli/output/compare_pair.h"
#include "cli/output/output_stream.h"
#include "cli/output/query_answers.h"
#include "cli/output/worksheet_output.h"
#include "cli/platform/platform.h"
#include "cli/text/locale_text.h"
#include "text/shown_text.h"
#include "dictionary/dictionary_file.h"
#include "search/search.h"
#include "search/trimmed_query.h"

namespace {

constexpr std::string_view kProgram = "orvalen-find";

// Text from the system (file names as given, its error messages) is in the
// locale's character set; messages are built in UTF-8.
std::string FromLocale(std::string_view text)
{
    return LocaleToUtf8(text).value_or(std::string(text));
}

// Messages quote arguments and file names, which may hold anything: what
// could drive the terminal is shown as U+XXXX.
void Say(OutputStream& err, std::string_view message)
{
    err.Write(std::string(kProgram) + ": " + ShownText(message) + "\n");
}

int UsageError(OutputStream& err, std::string_view message)
{
    Say(err, message);
    err.Write("Try 'orvalen-find --help'.\n");
    return kTrouble;
}

// The characters of the arguments, in order, or nothing when an argument
// holds none (empty, or only spaces), with why in `error`.
std::optional<std::vector<Query>> ArgumentQueries(const std::vector<std::string>& args, std::string& error)
{
    std::vector<Query> queries;
    for (const std::string& arg : args) {
        std::vector<Query> more = QueriesInText(arg, "an argument");
        if (more.empty()) {
            error = arg.empty() ? "an empty argument holds no character to look up"
                                : "an argument holds only spaces, no character to look up";
            return std::nullopt;
        }
        queries.insert(queries.end(), more.begin(), more.end());
    }
    return queries;
}

// The window drops the spaces around its query before searching (a key
// copied out of its result box comes with one), so --raw does too.
int FindRaw(const CharTable& table, const std::string& query, OutputStream& out, OutputStream& err)
{
    const std::optional<std::string> text = RunSearch(table, TrimmedQuery(RawQueryBytes(query)));
    if (!text) {
        err.Write("no find\n");
        return kSomeNotFound;
    }
    out.WriteBytes(*text);
    return kAllFound;
}

// Queries from standard input that is not a terminal: every character of
// every line, answered as if each had been an argument.
int FindInput(std::FILE* in, QueryAnswers& answers, OutputStream& out, OutputStream& err)
{
    InputQueries input(in);
    // From a pipe or a terminal each answer goes out before the next line is
    // waited for: a program that writes a line and reads its answer would
    // otherwise wait for ever. A file on disk is read at full speed.
    const bool waits = !IsDiskFile(in);
    if (waits)
        input.BeforeEachRead([&out] { out.Flush(); });
    bool any = false;
    int asked = 0;
    const bool allFound = answers.AnswerAll([&] {
        // Whether the first answer is labelled depends on whether a second
        // query follows; a line that comes later than this is not waited for.
        constexpr int kLabelWaitMilliseconds = 200;
        std::optional<Query> query =
            ++asked == 2 && waits ? input.NextIfWaiting(kLabelWaitMilliseconds) : input.Next();
        any = any || query.has_value();
        return query;
    });
    if (!input.ReadError().empty()) {
        Say(err, "cannot read the standard input: " + FromLocale(input.ReadError()));
        return kTrouble;
    }
    if (!any)
        return UsageError(err, "no character to look up: give characters as arguments or on the standard input");
    return allFound ? kAllFound : kSomeNotFound;
}

// --worksheet: the sheet of the arguments' characters, or of every character
// of standard input when there are none (read to its end, a terminal too).
int Worksheet(const CharTable& table, const std::vector<Query>& queries, std::FILE* in, const Readings* readings,
              GbkHint& gbk, OutputStream& out, OutputStream& err)
{
    std::size_t given = 0;
    InputQueries input(in);
    bool any = false;
    const bool allFound = WriteWorksheet(table, [&]() -> std::optional<Query> {
        if (!queries.empty())
            return given < queries.size() ? std::optional<Query>(queries[given++]) : std::nullopt;
        std::optional<Query> query = input.Next();
        any = any || query.has_value();
        return query;
    }, readings, gbk, out, err);
    if (!input.ReadError().empty()) {
        Say(err, "cannot read the standard input: " + FromLocale(input.ReadError()));
        return kTrouble;
    }
    if (queries.empty() && !any)
        return UsageError(err, "no character to look up: give characters as arguments or on the standard input");
    return allFound ? kAllFound : kSomeNotFound;
}

int Run(const std::vector<std::string>& args, const StandardStreams& streams,
        const std::filesystem::path& executableDirectory,
        OutputStream& out, OutputStream& err)
{
    std::string error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options)
        return UsageError(err, error);
    if (options->command == Command::Help) {
        out.Write(kUsage);
        return kAllFound;
    }
    if (options->command == Command::Version) {
        out.Write("orvalen-find 1.0.0.1\n");
        return kAllFound;
    }

    // Usage errors in the characters come before the dictionary is read.
    std::vector<Query> queries;
    if ((options->command == Command::Find && !options->raw) || options->command == Command::Compare) {
        std::optional<std::vector<Query>> given = ArgumentQueries(options->queries, error);
        if (!given)
            return UsageError(err, error);
        queries = std::move(*given);
    }
    if (options->command == Command::Compare && queries.size() != 2)
        return UsageError(err, "--compare takes two characters, as in --compare 未 末");

    std::optional<std::filesystem::path> given;
    if (options->dictionary)
        given = ArgumentPath(*options->dictionary);
    const std::optional<std::filesystem::path> path = ChooseDictionary(given, executableDirectory, error);
    if (!path) {
        Say(err, FromLocale(error));
        return kTrouble;
    }
    // Read once: a pipe or a FIFO cannot be read again, and the encoding
    // check looks at the same bytes the table is made from.
    std::string reason;
    std::optional<DictionaryRead> dictionary = ReadDictionary(*path, reason);
    if (!dictionary) {
        Say(err, "dictionary: " + FromLocale(reason) + "; name another with --dict FILE, gb2312 or gbk");
        return kTrouble;
    }
    const CharTable& table = dictionary->table;
    const std::optional<std::string>& problem = dictionary->warning;
    if (problem)
        Say(err, "warning: dictionary \"" + FromLocale(PathText(*path)) + "\" " + *problem);

    if (options->raw)
        return FindRaw(table, options->queries.front(), out, err);

    // The readings data, when something will show it: --explain and
    // --worksheet ask for it, and --why and --compare add it where it is
    // there.
    std::optional<Readings> readings;
    if (options->explain || options->worksheet || options->why || options->command == Command::Compare) {
        std::string readingsProblem;
        readings = LoadReadingsFiles(*path, executableDirectory, readingsProblem);
        if (!readingsProblem.empty())
            Say(err, "warning: readings data: " + FromLocale(readingsProblem));
        else if (!readings && (options->explain || options->worksheet))
            Say(err, std::string("warning: no ") + kReadingsFile + " or " + kDifferencesFile +
                         " beside the dictionary or the program, so no readings or differences to show");
    }
    const Readings* readingsData = readings ? &*readings : nullptr;

    if (options->command == Command::All) {
        // The count goes over itself on a terminal, and would be written
        // into the table when the results go to the same terminal.
        WriteAllMatches(table, *options, readingsData, out, err, IsTerminal(streams.err) && !IsTerminal(streams.out));
        return kAllFound;
    }

    GbkHint gbk(OtherGbkDictionary(*path, executableDirectory));
    if (problem)
        gbk.SearchedDictionaryIsBroken(ShownText(FromLocale(PathText(*path))));
    if (options->worksheet)
        return Worksheet(table, queries, streams.in, readingsData, gbk, out, err);
    if (options->command == Command::Compare)
        return ComparePair(table, queries[0], queries[1], gbk, readingsData, out, err) ? kAllFound : kSomeNotFound;
    QueryAnswers answers(table, *options, readingsData, gbk, out, err);
    if (!queries.empty())
        return answers.AnswerAll(queries) ? kAllFound : kSomeNotFound;
    if (streams.inputIsTerminal) {
        RunPrompt(streams.in, answers, out, err);
        return kAllFound;
    }
    return FindInput(streams.in, answers, out, err);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, const StandardStreams& streams,
                   const std::filesystem::path& executableDirectory)
{
    OutputStream out(streams.out), err(streams.err);
    err.FlushFirst(out);
    int status = kTrouble;
    try {
        status = Run(args, streams, executableDirectory, out, err);
    } catch (const std::bad_alloc&) {
        // A dictionary line or an input line too long for the memory there is.
        Say(err, "out of memory");
    }
    if (!out.Finish()) {
        if (out.ReaderClosed()) {
            status = kClosedPipe;
        } else {
            Say(err, "cannot write the output: " + FromLocale(out.ErrorText()));
            status = kTrouble;
        }
    }
    // Messages that cannot be written end the run the same way, quietly:
    // there is nowhere left to say anything.
    if (!err.Finish() && status != kClosedPipe)
        status = err.ReaderClosed() ? kClosedPipe : kTrouble;
    return status;
}
