// The command line's input path on any bytes: options, query arguments and
// lines of standard input, their splitting into characters, the locale's
// conversion, and every message that comes of them. The input is arguments
// separated by zero bytes (an argument cannot hold one), then after two zero
// bytes in a row the standard input; its first byte chooses whether that
// input is typed at a terminal. The dictionary is a small fixed one.
//
// Checked: the exit status is one the program documents; messages hold no
// control character but the line feed, and nothing that ShownText would
// change; a character taken from text is one valid UTF-8 character, neither
// blank nor punctuation, and converts to code page 936 and back unchanged
// when it converts at all.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/input/input_queries.h"
#include "cli/input/query_text.h"
#include "text/shown_text.h"
#include "text/text_codec.h"
#include "fuzz/fuzz_check.h"

namespace {

namespace fs = std::filesystem;

// A folder with a dictionary, which also serves as the bundled GBK one.
const fs::path& Folder()
{
    static const fs::path folder = [] {
        const fs::path dir = fs::temp_directory_path() / ("orvalen-fuzz-cli-" + std::to_string(getpid()));
        fs::create_directories(dir);
        std::ofstream dictionary(dir / "hz.txt", std::ios::binary);
        // 车 军 东 木 本 未 土 士, and a key that is a tab.
        dictionary << "\xB3\xB5 ABCDEFGH \r\n\xBE\xFC xBCDEFGy \r\n\xB6\xAB zzDEFGzz \r\n\xC4\xBE 12345678 \r\n"
                      "\xB1\xBE 12345670 \r\n\xCE\xB4 q2345678 \r\n\xCD\xC1 @@@@x \n\xCA\xBF @@@@y \n\t  ABCDE \n";
        dictionary.close();
        fs::copy_file(dir / "hz.txt", dir / "hz-gbk.txt", fs::copy_options::overwrite_existing);
        std::atexit([] { fs::remove_all(Folder()); });
        return dir;
    }();
    return folder;
}

std::string ReadAll(std::FILE* file)
{
    std::string bytes;
    std::rewind(file);
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    return bytes;
}

void CheckCharacter(const Query& query)
{
    if (!query.problem.empty()) {
        FUZZ_CHECK(query.text.empty());
        return;
    }
    FUZZ_CHECK(!query.text.empty() && IsValidUtf8(query.text));
    std::size_t length;
    const std::uint32_t codePoint = DecodeUtf8(query.text, &length);
    FUZZ_CHECK(length == query.text.size());
    FUZZ_CHECK(!IsBlank(codePoint) && !IsPunctuation(codePoint));
    if (const std::optional<std::string> cp936 = Utf8ToCp936(query.text))
        FUZZ_CHECK(Cp936ToUtf8(*cp936) == query.text);
}

void CheckMessages(const std::string& err)
{
    std::string text;
    for (char c : err) {
        FUZZ_CHECK(c == '\n' || static_cast<unsigned char>(c) >= 0x20);
        if (c != '\n')
            text += c;
    }
    if (ShownText(text) != text) {
        FuzzPrintBytes("messages", err);
        FuzzFail("messages hold what ShownText would change", __FILE__, __LINE__);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool terminal = data[0] & 1;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view input;
    if (const std::size_t end = rest.find(std::string_view("\0\0", 2)); end != std::string_view::npos) {
        input = rest.substr(end + 2);
        rest = rest.substr(0, end);
    }
    std::vector<std::string> args;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\0');
        args.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    // Only the fixed dictionary: a named file could be anything (/dev/zero).
    for (const std::string& arg : args)
        if (arg.rfind("--dict", 0) == 0)
            return 0;

    for (const std::string& arg : args)
        for (const Query& query : QueriesInText(arg, "an argument"))
            CheckCharacter(query);

    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    FUZZ_CHECK(in && out && err);
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    InputQueries lines(in);
    while (const std::optional<Query> query = lines.Next())
        CheckCharacter(*query);
    std::rewind(in);

    args.insert(args.begin(), {"--dict", (Folder() / "hz.txt").string()});
    const int status = RunCommandLine(args, StandardStreams{in, out, err, terminal}, Folder().string());
    FUZZ_CHECK(status == kAllFound || status == kSomeNotFound || status == kTrouble);
    CheckMessages(ReadAll(err));
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return 0;
}
