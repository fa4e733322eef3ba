// Times one search (ranking and formatting) for a fixed set of queries, with
// the literal measure and with the project's own, and also loading the
// dictionary, building its index, and listing every character's look-alikes.
// Ends with a summary: the median time per query of each search and their
// ratio.
//
//   build/native/bin/search_bench [--dict FILE] [benchmark options]
//   build/native/bin/search_bench --benchmark_filter=TwoLongCodes --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <unordered_set>
#include <unistd.h>
#include <vector>

#include "tests/literal_search.h"
#include "tests/made_codes.h"
#include "text/text_codec.h"
#include "dictionary/dictionary_file.h"
#include "search/code_index.h"
#include "search/search.h"

namespace {

// Common characters, with short and long result lists among them.
const char* const kQueries[] = {"请", "车", "木", "日", "目", "未", "己", "土",
                                "人", "大", "太", "问", "戌", "贝", "侯", "辩"};

std::string g_path = ORVALEN_BENCH_DICTIONARY;
CharTable g_table;

const std::string& CodeOf(const char* utf8)
{
    static std::map<std::string, std::string> codes;
    std::string& code = codes[utf8];
    if (code.empty()) {
        const CharEntry* entry = FindEntry(g_table, Utf8ToCp936(utf8).value_or(""));
        if (!entry) {
            std::fprintf(stderr, "%s is not in %s\n", utf8, g_path.c_str());
            std::exit(2);
        }
        code = entry->code;
    }
    return code;
}

void LiteralSearch(benchmark::State& state, const char* query)
{
    const std::string& code = CodeOf(query);
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatMatches(LiteralRankMatches(g_table, code)));
}

void Search(benchmark::State& state, const char* query)
{
    const std::string& code = CodeOf(query);
    IndexOf(g_table);  // built once, by the first search of a run
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatMatches(RankMatches(g_table, code)));
}

void LoadDictionary(benchmark::State& state)
{
    for (auto _ : state) {
        CharTable table;
        if (!LoadCharTable(table, g_path))
            state.SkipWithError("cannot read the dictionary");
        benchmark::DoNotOptimize(table.size());
    }
}

void BuildIndex(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CodeIndex(g_table));
}

// What --all does, less the conversion to UTF-8 and the writing.
void AllCharacters(benchmark::State& state)
{
    for (auto _ : state) {
        std::unordered_set<std::string_view> seen;
        std::size_t bytes = 0;
        for (const CharEntry& entry : g_table)
            if (seen.insert(entry.key).second)
                bytes += FormatMatches(RankMatches(g_table, entry.code)).size();
        benchmark::DoNotOptimize(bytes);
    }
}

// A dictionary of two codes of 5 MiB each, random over eight letters or
// repeating AB, and the search of the first: the suffixes of both are sorted
// together. What a hostile dictionary costs, apart from reading it.
void TwoLongCodes(benchmark::State& state, bool repeating)
{
    std::mt19937 random(7);
    const std::size_t length = std::size_t{5} << 20;
    const CharTable table = repeating ? TableOf({Repeated("AB", length / 2), Repeated("AB", length / 2) + "C"})
                                      : TableOf({Random(random, length, "ABCDEFGH"), Random(random, length, "ABCDEFGH")});
    IndexOf(table);
    for (auto _ : state)
        benchmark::DoNotOptimize(RankMatches(table, table[0].code));
}

// Keeps each run's real time per iteration, in milliseconds, by name.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal: the figures are often saved to a file.
    SummaryReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_ms[run.benchmark_name()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
    }

    double Median(const std::string& prefix) const
    {
        std::vector<double> times;
        for (const auto& [name, ms] : m_ms)
            if (name.rfind(prefix, 0) == 0)
                times.push_back(ms);
        if (times.empty())
            return 0;
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    }

private:
    std::map<std::string, double> m_ms;
};

}  // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dict") == 0 && i + 1 < argc)
            g_path = argv[++i];
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    std::string reason;
    if (!LoadCharTable(g_table, g_path, &reason)) {
        std::fprintf(stderr, "search_bench: %s\n", reason.c_str());
        return 2;
    }
    for (const char* query : kQueries) {
        benchmark::RegisterBenchmark((std::string("Search/literal/") + query).c_str(), LiteralSearch, query)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("Search/orvalen/") + query).c_str(), Search, query)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("LoadDictionary", LoadDictionary)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BuildIndex", BuildIndex)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AllCharacters", AllCharacters)->Unit(benchmark::kMillisecond)->Iterations(3);
    for (const bool repeating : {false, true})
        benchmark::RegisterBenchmark(repeating ? "TwoLongCodes/repeating" : "TwoLongCodes/random", TwoLongCodes, repeating)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double literal = reporter.Median("Search/literal/");
    const double own = reporter.Median("Search/orvalen/");
    std::printf("\n%s: %zu entries\n", g_path.c_str(), g_table.size());
    if (literal > 0 && own > 0)
        std::printf("median per query: literal %.3f ms, orvalen %.4f ms, %.0fx faster\n", literal, own, literal / own);
    return 0;
}
