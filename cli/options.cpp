#include "options.h"

#include <string_view>

const char kUsage[] =
    "Usage: orvalen-find [--dict FILE] [--scores] CHAR...\n"
    "       orvalen-find [--dict FILE] --raw CHAR\n"
    "\n"
    "Lists the characters whose structure codes share a run of at least 4 bytes\n"
    "with each CHAR's code, best matches first, one score group per line.\n"
    "\n"
    "  --dict FILE  the dictionary to search (default: hz.txt in the current\n"
    "               directory, else the bundled dictionary)\n"
    "  --scores     start each line with its group's score\n"
    "  --raw        take CHAR's bytes as the query as they stand (code page 936)\n"
    "               and print exactly the result text the window shows, in\n"
    "               code page 936, with CR LF between groups\n"
    "  --help       show this help\n"
    "  --version    show the version\n"
    "\n"
    "Exit status: 0 when every CHAR was found, 1 when any was not,\n"
    "2 on a usage error or when the dictionary cannot be read.\n";

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

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error)
{
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.queries.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.command = Command::Help;
        } else if (arg == "--version") {
            options.command = Command::Version;
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--scores") {
            options.scores = true;
        } else if (HasName(arg, "--dict")) {
            std::optional<std::string> value = OptionValue("--dict", args, i);
            if (!value || value->empty()) {
                error = "--dict needs a file name";
                return std::nullopt;
            }
            options.dictionary = std::move(value);
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (options.command != Command::Find)
        return options;
    if (options.queries.empty()) {
        error = "no character to look up";
        return std::nullopt;
    }
    if (options.raw && options.queries.size() != 1) {
        error = "--raw takes exactly one query";
        return std::nullopt;
    }
    if (options.raw && options.scores) {
        error = "--raw prints the result text only; it does not go with --scores";
        return std::nullopt;
    }
    return options;
}
