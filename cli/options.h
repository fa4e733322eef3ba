// The command line of orvalen-find, parsed.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class Command { Find, Compare, All, Help, Version };

// Text: the plain lists (--all's default is Tsv).
enum class OutputFormat { Text, Tsv, Jsonl };

struct Options {
    Command command = Command::Find;
    std::optional<std::string> dictionary;  // --dict FILE, gb2312 or gbk
    bool raw = false;                       // --raw: bytes in, result text bytes out
    bool scores = false;                    // --scores: each group's score
    bool why = false;                       // --why: the run each match shares
    int top = 0;                            // --top N: at most N matches per query; 0 for all
    bool explain = false;                   // --explain: readings, words and differences
    OutputFormat format = OutputFormat::Text;  // --format tsv|jsonl (--all: tsv unless given)
    int minScore = 4;                       // --min-score N: only groups scoring N or more
    bool worksheet = false;                 // --worksheet: a printable HTML worksheet
    // The arguments as given, in the locale's character set (bytes for
    // --raw); empty when the queries come from standard input.
    std::vector<std::string> queries;
};

// Parses the arguments after the program name. On a usage error returns
// nothing and says why in `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char kUsage[];
