// CommonRunLength and LongestSharedRun against the measure as literally
// defined (a padded string, every shift), on two byte strings taken from the
// input:
//
//   mode byte, split byte, body
//
// The split byte says where the body divides into the entry code and the query
// code. The mode maps the body's bytes (FuzzMapByte) so that dashes, which
// the padding matches, and repeated bytes, which make long runs, are common.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/mapped_byte.h"
#include "search/common_run_length.h"
#include "tests/literal_measure.h"

namespace {

// The literal measure once more, keeping where the first of the longest runs
// starts in the entry code: shifts in order, runs within a shift left to right,
// and only a strictly longer run replaces the best.
SharedRun LiteralLongestSharedRun(std::string_view entryCode, std::string_view queryCode)
{
    SharedRun best;
    if (entryCode == queryCode)
        return best;
    const std::size_t m = entryCode.size();
    const std::string padded = std::string(m, '-') + std::string(queryCode) + std::string(m, '-');
    for (std::size_t i = 0; i < padded.size() - m; ++i) {
        std::size_t run = 0;
        for (std::size_t k = 0; k < m; ++k) {
            if (entryCode[k] == padded[i + k]) {
                ++run;
            } else {
                if (run > best.length)
                    best = SharedRun{k - run, run};
                run = 0;
            }
        }
        if (run > best.length)
            best = SharedRun{m - run, run};
    }
    return best;
}

void CheckPair(std::string_view entryCode, std::string_view queryCode)
{
    const int score = CommonRunLength(entryCode, queryCode);
    const int literal = LiteralCommonRunLength(entryCode, queryCode);
    if (score != literal) {
        std::fprintf(stderr, "CommonRunLength gives %d, the literal measure %d\n", score, literal);
        FuzzPrintBytes("entry code", entryCode);
        FuzzPrintBytes("query code", queryCode);
        FUZZ_CHECK(score == literal);
    }
    // A run is a run of the entry code's own bytes.
    FUZZ_CHECK(score >= 0 && static_cast<std::size_t>(score) <= entryCode.size());

    const SharedRun run = LongestSharedRun(entryCode, queryCode);
    const SharedRun literalRun = LiteralLongestSharedRun(entryCode, queryCode);
    if (run.start != literalRun.start || run.length != literalRun.length) {
        std::fprintf(stderr, "LongestSharedRun gives %zu bytes from %zu, the literal measure %zu from %zu\n",
                     run.length, run.start, literalRun.length, literalRun.start);
        FuzzPrintBytes("entry code", entryCode);
        FuzzPrintBytes("query code", queryCode);
        FUZZ_CHECK(!"LongestSharedRun equals the literal one");
    }
    FUZZ_CHECK(literalRun.length == static_cast<std::size_t>(literal));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned mode = data[0];
    const std::size_t bodySize = size - 2;
    std::string body(bodySize, '\0');
    for (std::size_t i = 0; i < bodySize; ++i)
        body[i] = FuzzMapByte(mode, data[2 + i]);
    const std::size_t split = bodySize * data[1] / 255;
    const std::string_view entryCode = std::string_view(body).substr(0, split);
    const std::string_view queryCode = std::string_view(body).substr(split);

    CheckPair(entryCode, queryCode);
    CheckPair(queryCode, entryCode);
    FUZZ_CHECK(CommonRunLength(entryCode, entryCode) == 0);
    FUZZ_CHECK(CommonRunLength(queryCode, queryCode) == 0);
    return 0;
}
