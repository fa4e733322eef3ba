#include "cli/options.h"

#include <gtest/gtest.h>

namespace {

struct OptionsCase {
    std::vector<std::string> args;
    const char* error;  // empty when the arguments are fine
};

TEST(Options, UsageErrors)
{
    const OptionsCase cases[] = {
        {{}, "no character to look up"},
        {{"--dict"}, "--dict needs a file name"},
        {{"--dict="}, "--dict needs a file name"},
        {{"--raw"}, "no character to look up"},
        {{"--raw", "a", "b"}, "--raw takes exactly one query"},
        {{"--raw", "--scores", "a"}, "--raw prints the result text only; it does not go with --scores"},
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

TEST(Options, HelpAndVersionNeedNoQuery)
{
    std::string error;
    EXPECT_EQ(ParseOptions({"--help"}, error)->command, Command::Help);
    EXPECT_EQ(ParseOptions({"-h"}, error)->command, Command::Help);
    EXPECT_EQ(ParseOptions({"--version"}, error)->command, Command::Version);
}

}  // namespace
