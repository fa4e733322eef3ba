#include "cli/options.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct OptionsCase {
    std::vector<std::string> args;
    const char* error;  // empty when the arguments are fine
};

TEST(Options, UsageErrors)
{
    const OptionsCase cases[] = {
        {{"--dict"}, "--dict needs a file name, or gb2312 or gbk for a bundled dictionary"},
        {{"--dict="}, "--dict needs a file name, or gb2312 or gbk for a bundled dictionary"},
        {{"--raw"}, "--raw takes exactly one query"},
        {{"--raw", "a", "b"}, "--raw takes exactly one query"},
        {{"--raw", "--scores", "a"}, "--raw prints the result text only; it does not go with --scores, --why, --explain, --top, --format or --min-score"},
        {{"--raw", "--why", "a"}, "--raw prints the result text only; it does not go with --scores, --why, --explain, --top, --format or --min-score"},
        {{"--raw", "--top", "2", "a"}, "--raw prints the result text only; it does not go with --scores, --why, --explain, --top, --format or --min-score"},
        {{"--all", "a"}, "--all takes no characters and goes only with --dict, --format, --min-score, --top and --explain"},
        {{"--all", "--why"}, "--all takes no characters and goes only with --dict, --format, --min-score, --top and --explain"},
        {{"--all", "--format", "csv"}, "--format takes tsv or jsonl"},
        {{"--all", "--format"}, "--format takes tsv or jsonl"},
        {{"--all", "--min-score", "3"}, "--min-score takes a whole number from 4, the least score a match has, to 2147483647"},
        {{"--all", "--min-score=-5"}, "--min-score takes a whole number from 4, the least score a match has, to 2147483647"},
        {{"--all", "--min-score", "9999999999"}, "--min-score takes a whole number from 4, the least score a match has, to 2147483647"},
        {{"--raw", "--explain", "a"}, "--raw prints the result text only; it does not go with --scores, --why, --explain, --top, --format or --min-score"},
        {{"--raw", "--format", "tsv", "a"}, "--raw prints the result text only; it does not go with --scores, --why, --explain, --top, --format or --min-score"},
        {{"--why", "--explain", "a"}, "--why and --explain are two ways to list the matches: give one of them"},
        {{"--format", "jsonl", "--scores", "a"}, "--format has columns of its own; it does not go with --scores or --why"},
        {{"--why", "--format=tsv", "a"}, "--format has columns of its own; it does not go with --scores or --why"},
        {{"--compare", "--explain", "a", "b"}, "--compare takes two characters and goes only with --dict"},
        {{"--compare", "--format", "jsonl", "a", "b"}, "--compare takes two characters and goes only with --dict"},
        // Two modes: whichever came last used to win, silently.
        {{"--all", "--compare", "a", "b"}, "--all and --compare do not go together: give one of them"},
        {{"--compare", "a", "b", "--all"}, "--compare and --all do not go together: give one of them"},
        {{"--raw", "a", "--all"}, "--raw and --all do not go together: give one of them"},
        {{"--compare", "--raw", "a"}, "--compare and --raw do not go together: give one of them"},
        {{"--top", "0", "a"}, "--top takes a whole number from 1 to 2147483647"},
        {{"--top"}, "--top takes a whole number from 1 to 2147483647"},
        {{"--compare"}, "--compare takes two characters and goes only with --dict"},
        {{"--compare", "--why", "a", "b"}, "--compare takes two characters and goes only with --dict"},
        {{"--compare", "--top", "3", "a", "b"}, "--compare takes two characters and goes only with --dict"},
        {{"--worksheet", "--all"}, "--worksheet takes characters and goes only with --dict"},
        {{"--worksheet", "--compare", "a", "b"}, "--worksheet takes characters and goes only with --dict"},
        {{"--raw", "--worksheet", "a"}, "--worksheet takes characters and goes only with --dict"},
        {{"--worksheet", "--why", "a"}, "--worksheet takes characters and goes only with --dict"},
        {{"--worksheet", "--top", "2", "a"}, "--worksheet takes characters and goes only with --dict"},
        {{"--worksheet", "--min-score", "5", "a"}, "--worksheet takes characters and goes only with --dict"},
        {{"--bogus", "a"}, "unknown option --bogus"},
        {{"-x", "a"}, "unknown option -x"},
    };
    for (const OptionsCase& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseOptions(c.args, error).has_value()) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

TEST(Options, DictionaryQueriesAndFlags)
{
    std::string error;
    std::optional<Options> options = ParseOptions({"--dict", "my.txt", "车", "--scores", "木"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->dictionary, "my.txt");
    EXPECT_TRUE(options->scores);
    EXPECT_EQ(options->queries, (std::vector<std::string>{"车", "木"}));

    options = ParseOptions({"--worksheet", "--dict=gbk"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->worksheet);
    EXPECT_TRUE(options->queries.empty());

    options = ParseOptions({"--dict=other.txt", "--raw", "x"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->dictionary, "other.txt");
    EXPECT_TRUE(options->raw);
}

TEST(Options, DashesAsQueries)
{
    std::string error;
    // A lone "-" is a query; after "--" everything is.
    std::optional<Options> options = ParseOptions({"-", "--", "--raw", "-x"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_FALSE(options->raw);
    EXPECT_EQ(options->queries, (std::vector<std::string>{"-", "--raw", "-x"}));
}

TEST(Options, AllWithFormatAndMinimumScore)
{
    std::string error;
    std::optional<Options> options = ParseOptions({"--all", "--format=jsonl", "--min-score", "6"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->command, Command::All);
    EXPECT_EQ(options->format, OutputFormat::Jsonl);
    EXPECT_EQ(options->minScore, 6);
    // Numbers of ten digits and more, up to the most an int holds.
    options = ParseOptions({"--top", "1000000000", "--all", "--min-score", "0002147483647"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->top, 1000000000);
    EXPECT_EQ(options->minScore, INT_MAX);
    options = ParseOptions({"--all"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->format, OutputFormat::Tsv);
    EXPECT_EQ(options->minScore, 4);
}

TEST(Options, FormatExplainAndMinimumScoreForQueries)
{
    std::string error;
    std::optional<Options> options = ParseOptions({"--format", "jsonl", "--explain", "--min-score=9", "未"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->command, Command::Find);
    EXPECT_EQ(options->format, OutputFormat::Jsonl);
    EXPECT_TRUE(options->explain);
    EXPECT_EQ(options->minScore, 9);
    // Plain text unless asked, and for standard input as well.
    options = ParseOptions({"--explain"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->format, OutputFormat::Text);
    options = ParseOptions({"--all", "--explain"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->format, OutputFormat::Tsv);
}

TEST(Options, HelpAndVersionAlwaysWin)
{
    const struct {
        std::vector<std::string> args;
        Command command;
    } cases[] = {
        {{"--help"}, Command::Help},
        {{"-h"}, Command::Help},
        {{"--version"}, Command::Version},
        {{"--help", "--all"}, Command::Help},
        {{"--all", "--help"}, Command::Help},
        {{"--compare", "a", "b", "--version"}, Command::Version},
        {{"--version", "--help"}, Command::Help},
        {{"--bogus", "--help"}, Command::Help},
        {{"--top", "x", "--version"}, Command::Version},
        {{"--raw", "a", "b", "--help"}, Command::Help},
    };
    for (const auto& c : cases) {
        std::string error;
        const std::optional<Options> options = ParseOptions(c.args, error);
        ASSERT_TRUE(options) << c.args.front() << ": " << error;
        EXPECT_EQ(options->command, c.command) << c.args.front();
    }
    // After "--" they are characters to look up.
    std::string error;
    EXPECT_EQ(ParseOptions({"--", "--help"}, error)->command, Command::Find);
}

}  // namespace
