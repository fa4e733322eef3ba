#include "options.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "search/search.h"

const char kUsage[] =
    "Usage: orvalen-find [--dict DICT] [--scores] [--why] [--top N] [--min-score N]\n"
    "                    [--explain] [--format tsv|jsonl] [CHARS...]\n"
    "       orvalen-find [--dict DICT] --compare A B\n"
    "       orvalen-find [--dict DICT] --raw CHAR\n"
    "       orvalen-find [--dict DICT] --all [--format tsv|jsonl] [--min-score N]\n"
    "                    [--top N] [--explain]\n"
    "       orvalen-find [--dict DICT] --worksheet [CHARS...] > sheet.html\n"
    "\n"
    "Lists the characters whose structure codes share a run of at least 4 bytes\n"
    "with each character's code, best matches first, one score group per line.\n"
    "An argument of several characters is looked up character by character, and\n"
    "spaces and punctuation in it (ASCII and full-width, as in 未，今；白、土)\n"
    "separate them. With no CHARS, characters come from standard\n"
    "input: every character of every line; on a terminal, line by line at a\n"
    "prompt, which an empty line or end of input ends.\n"
    "\n"
    "  --dict DICT    the dictionary: a file, or gb2312 or gbk for the bundled\n"
    "                 hz.txt or hz-gbk.txt (default: hz.txt in the current\n"
    "                 directory, else the bundled gb2312 one)\n"
    "  --scores       start each line with its group's score\n"
    "  --why          list each match on a line of its own, with its score and\n"
    "                 the run of code it shares: 字形相近 (glyphs alike) for the\n"
    "                 look-alike block two characters of the bundled\n"
    "                 dictionaries share, else the parts it spells as\n"
    "                 characters (〔无名部件〕 for a part with no character of\n"
    "                 its own), other bytes in hex; then what tells it apart\n"
    "                 from the query, when the readings data records it\n"
    "  --explain      with each character its pinyin, first word and what tells\n"
    "                 it apart from the query (readings.txt and differences.txt,\n"
    "                 beside the dictionary or the bundled ones)\n"
    "  --top N        at most the N best matches for each character\n"
    "  --min-score N  only groups scoring N or more (at least 4)\n"
    "  --format F     tsv: one line per group (character, score, characters), or\n"
    "                 with --explain one per listed character (character, score,\n"
    "                 listed, its pinyin, its words, difference kind, phrase);\n"
    "                 jsonl: one JSON object per character\n"
    "  --compare A B  whether A lists B and B lists A, with both scores, the run\n"
    "                 of code they share, and their readings and differences\n"
    "  --raw          take CHAR's bytes as the query (code page 936), without the\n"
    "                 spaces around it as the window takes its query box, and\n"
    "                 print exactly the result text the window shows, in code\n"
    "                 page 936, with CR LF between groups\n"
    "  --all          list the look-alikes of every character of the dictionary,\n"
    "                 in dictionary order, as TSV (the default) or JSON lines\n"
    "  --worksheet    write a worksheet for teachers: the characters and their\n"
    "                 closest look-alikes with pinyin, words to complete and the\n"
    "                 answers, as one printable HTML page (UTF-8, A4)\n"
    "  --help         show this help\n"
    "  --version      show the version\n"
    "\n"
    "Text is read and written in the locale's character set (UTF-8 in the C\n"
    "locale); --raw and JSON lines are not converted. A character of the\n"
    "dictionary that would act on the terminal is shown as U+XXXX, except with\n"
    "--raw and in JSON lines.\n"
    "\n"
    "Messages, on standard error: \"no find\" for a character that is not in the\n"
    "dictionary (naming --dict gbk when the bundled GBK dictionary has it);\n"
    "\"X: no look-alikes in this dictionary\" for one that lists nothing; a\n"
    "warning when the dictionary does not look like code page 936 text.\n"
    "\n"
    "Exit status: 0 when every character was found (one with no look-alikes\n"
    "counts as found), or when the pair given to --compare is listed as alike;\n"
    "1 when any was not found, or the pair is not alike; 2 on a usage error,\n"
    "when the dictionary or standard input cannot be read, or when the output\n"
    "cannot be written (a full disk). A reader that closes the pipe early\n"
    "(| head) ends the program quietly, as the signal SIGPIPE does: status 141\n"
    "in the shell. The prompt ends with status 0.\n";

namespace {

// "--name=value" or "--name value": the value, or nothing when it is missing.
std::optional<std::string> OptionValue(std::string_view name, const std::vector<std::string>& args, std::size_t& i)
{
    const std::string_view arg = args[i];
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=')
        return std::string(arg.substr(name.size() + 1));
    if (i + 1 >= args.size())
        return std::nullopt;
    return args[++i];
}

bool HasName(std::string_view arg, std::string_view name)
{
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=');
}

// A whole decimal number, of any number of digits, that an int holds; or
// nothing.
std::optional<int> WholeNumber(const std::optional<std::string>& text)
{
    if (!text || text->empty())
        return std::nullopt;
    int value = 0;
    for (char c : *text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        if (value > (INT_MAX - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error)
{
    Options options;
    // --help and --version win wherever they stand, over any other option
    // and over a mistake in one.
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h") {
            options.command = Command::Help;
            return options;
        }
        if (arg == "--version")
            options.command = Command::Version;
    }
    if (options.command == Command::Version)
        return options;

    bool optionsEnded = false;
    bool formatGiven = false;
    bool minScoreGiven = false;
    std::vector<std::string> modes;  // --all, --compare, --raw, once each
    auto addMode = [&](const std::string& mode) {
        if (std::find(modes.begin(), modes.end(), mode) == modes.end())
            modes.push_back(mode);
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.queries.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--raw") {
            options.raw = true;
            addMode(arg);
        } else if (arg == "--scores") {
            options.scores = true;
        } else if (arg == "--why") {
            options.why = true;
        } else if (arg == "--worksheet") {
            options.worksheet = true;
        } else if (arg == "--explain") {
            options.explain = true;
        } else if (arg == "--all") {
            options.command = Command::All;
            addMode(arg);
        } else if (HasName(arg, "--format")) {
            const std::optional<std::string> value = OptionValue("--format", args, i);
            if (value == "tsv") {
                options.format = OutputFormat::Tsv;
            } else if (value == "jsonl") {
                options.format = OutputFormat::Jsonl;
            } else {
                error = "--format takes tsv or jsonl";
                return std::nullopt;
            }
            formatGiven = true;
        } else if (HasName(arg, "--min-score")) {
            const std::optional<int> value = WholeNumber(OptionValue("--min-score", args, i));
            if (!value || *value < kMinimumScore) {
                error = "--min-score takes a whole number from " + std::to_string(kMinimumScore) +
                        ", the least score a match has, to " + std::to_string(INT_MAX);
                return std::nullopt;
            }
            options.minScore = *value;
            minScoreGiven = true;
        } else if (HasName(arg, "--top")) {
            const std::optional<int> value = WholeNumber(OptionValue("--top", args, i));
            if (!value || *value < 1) {
                error = "--top takes a whole number from 1 to " + std::to_string(INT_MAX);
                return std::nullopt;
            }
            options.top = *value;
        } else if (arg == "--compare") {
            options.command = Command::Compare;
            addMode(arg);
        } else if (HasName(arg, "--dict")) {
            std::optional<std::string> value = OptionValue("--dict", args, i);
            if (!value || value->empty()) {
                error = "--dict needs a file name, or gb2312 or gbk for a bundled dictionary";
                return std::nullopt;
            }
            options.dictionary = std::move(value);
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (options.worksheet) {
        if (!modes.empty() || options.scores || options.why || options.explain || options.top != 0 || formatGiven ||
            minScoreGiven) {
            error = "--worksheet takes characters and goes only with --dict";
            return std::nullopt;
        }
        return options;
    }
    // Whichever came last would otherwise win, silently.
    if (modes.size() > 1) {
        error = modes[0] + " and " + modes[1] + " do not go together: give one of them";
        return std::nullopt;
    }
    if (options.command == Command::All) {
        if (!options.queries.empty() || options.why || options.scores) {
            error = "--all takes no characters and goes only with --dict, --format, --min-score, --top and --explain";
            return std::nullopt;
        }
        if (!formatGiven)
            options.format = OutputFormat::Tsv;
        return options;
    }
    if (options.command == Command::Compare) {
        // Whether the arguments hold two characters is told once they are
        // read as text: "--compare 未末" is fine too.
        if (options.queries.empty() || options.why || options.scores || options.explain || options.top != 0 ||
            formatGiven || minScoreGiven) {
            error = "--compare takes two characters and goes only with --dict";
            return std::nullopt;
        }
        return options;
    }
    if (options.raw && options.queries.size() != 1) {
        error = "--raw takes exactly one query";
        return std::nullopt;
    }
    if (options.raw && (options.scores || options.why || options.explain || options.top != 0 || formatGiven ||
                        minScoreGiven)) {
        error = "--raw prints the result text only; it does not go with --scores, --why, --explain, --top, "
                "--format or --min-score";
        return std::nullopt;
    }
    if (options.why && options.explain) {
        error = "--why and --explain are two ways to list the matches: give one of them";
        return std::nullopt;
    }
    if (formatGiven && (options.scores || options.why)) {
        error = "--format has columns of its own; it does not go with --scores or --why";
        return std::nullopt;
    }
    // No characters: they come from standard input.
    return options;
}
