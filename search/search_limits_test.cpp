// Hostile dictionaries: a search of one long code against many short ones
// takes time near linear in the dictionary, and long codes take memory of a
// few bytes per byte. Time is the process's own (processor time, so that a
// busy machine does not count), with bounds many times what the search needs
// and a fraction of what measuring pair by pair took. Memory is what the
// search asks of operator new beyond what was in use before it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "search/code_index.h"
#include "search/common_run_length.h"
#include "search/search.h"
#include "tests/made_codes.h"

namespace {

std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

// Each block carries its size in front of it.
constexpr std::size_t kHeader = 16;

void* Allocate(std::size_t size)
{
    void* block = std::malloc(size + kHeader);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const std::size_t now = g_inUse += size;
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void Free(void* pointer) noexcept
{
    if (!pointer)
        return;
    char* block = static_cast<char*>(pointer) - kHeader;
    g_inUse -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* pointer) noexcept { Free(pointer); }
void operator delete[](void* pointer) noexcept { Free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Free(pointer); }

namespace {

// The most memory in use at once while `work` runs, beyond what was before.
template <class Work>
std::size_t PeakOf(Work work)
{
    const std::size_t before = g_inUse.load();
    g_peak = before;
    work();
    return g_peak.load() - before;
}

double SecondsOf(const std::function<void()>& work)
{
    const std::clock_t start = std::clock();
    work();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// The search as the command line's --why makes it: the ranked list, then
// each match's shared run.
std::size_t SearchWithRuns(const CharTable& table, std::string_view queryCode)
{
    const std::vector<ScoredChar> list = RankMatches(table, queryCode);
    for (const ScoredChar& match : list)
        EXPECT_EQ(static_cast<int>(LongestSharedRun(FindEntry(table, match.key)->code, queryCode).length), match.score);
    return list.size();
}

// A 100,000-byte code repeating AB and a thousand 62-byte codes repeating it
// too; a 200,000-byte random code and a thousand 60-byte codes holding '-'.
// Measured pair by pair, each took some 20 seconds.
TEST(HostileDictionary, LongCodeAgainstManyShortOnesTakesLinearTime)
{
    std::mt19937 random(39);
    std::vector<std::string> periodic = [] {
        std::vector<std::string> codes = {Repeated("AB", 50000)};
        codes.resize(1001, Repeated("AB", 31));
        return codes;
    }();
    std::vector<std::string> dashes = {Random(random, 200000, "ABCD")};
    for (int i = 0; i < 1000; ++i)
        dashes.push_back(Random(random, 60, "ABCD-"));

    for (const std::vector<std::string>* codes : {&periodic, &dashes}) {
        const CharTable table = TableOf(*codes);
        std::size_t matches = 0;
        const double seconds = SecondsOf([&] { matches = SearchWithRuns(table, (*codes)[0]); });
        EXPECT_GT(matches, 900u);
        EXPECT_LT(seconds, 8.0);
    }
}

// Two long codes are sorted together in four bytes per byte and an eighth
// (it took some 50), and a search of one against the other takes no more:
// no copy of the query code, nor its own sorted suffixes.
TEST(HostileDictionary, TwoLongCodesTakeAFewBytesPerByte)
{
    std::mt19937 random(5);
    const std::string a = Random(random, 1 << 20, "ABCDEFGH");
    const std::string b = Random(random, 1 << 20, "ABCDEFGH");
    const std::string c = Repeated("AB", 1 << 19) + "C";
    const std::string d = "C" + c.substr(0, c.size() - 2);
    auto bound = [](std::size_t bytes) { return bytes * 17 / 4; };
    int score = 0;
    EXPECT_LT(PeakOf([&] { score = CommonRunLength(a, b); }), bound(a.size() + b.size()));
    EXPECT_GE(score, 6);
    EXPECT_LT(PeakOf([&] { score = CommonRunLength(c, d); }), bound(c.size() + d.size()));
    EXPECT_EQ(score, static_cast<int>(c.size() - 2));

    const CharTable table = TableOf({a, b});
    IndexOf(table);
    std::vector<ScoredChar> list;
    EXPECT_LT(PeakOf([&] { list = RankMatches(table, a); }), bound(a.size() + b.size()));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].score, CommonRunLength(b, a));
}

// A search of one long code: its sorted suffixes (4 bytes per byte) and a
// copy of it; nothing at all when no other code needs them. Its windows took
// 8 bytes per byte, and 4 more for the index's candidates.
TEST(HostileDictionary, LongQueryCodeTakesAFewBytesPerByte)
{
    std::mt19937 random(8);
    const std::string alone = Random(random, 1 << 23, "ABCDEFGH");
    const CharTable one = TableOf({alone});
    IndexOf(one);
    EXPECT_LT(PeakOf([&] { EXPECT_TRUE(RankMatches(one, alone).empty()); }), alone.size() / 4);

    std::vector<std::string> codes = {Random(random, 1 << 20, "ABCD")};
    for (int i = 0; i < 2000; ++i)
        codes.push_back(Random(random, 60, "ABCD-"));
    const CharTable many = TableOf(codes);
    IndexOf(many);
    EXPECT_LT(PeakOf([&] { EXPECT_FALSE(RankMatches(many, codes[0]).empty()); }), 6 * codes[0].size());
}

}  // namespace

namespace {

// A 100,000-byte code repeating AB and a thousand 4,000-byte codes repeating
// it with one byte changed: the query code's sorted suffixes cannot measure
// them within their budget, and measuring each with the whole query code took
// some 13 seconds in all. Measured in a few batches, with their runs kept for
// --why, the search takes about a second and a few bytes per byte.
TEST(HostileDictionary, ManyMediumCodesAgainstALongPeriodicOne)
{
    std::mt19937 random(15);
    std::vector<std::string> codes = {Repeated("AB", 50000)};
    std::size_t bytes = codes[0].size();
    for (int i = 0; i < 1000; ++i) {
        std::string code = Repeated("AB", 2000);
        code[random() % code.size()] = 'C';
        bytes += code.size();
        codes.push_back(code);
    }
    const CharTable table = TableOf(codes);
    IndexOf(table);
    std::vector<ScoredChar> list;
    EXPECT_LT(PeakOf([&] { list = RankMatches(table, codes[0]); }), 6 * bytes);
    ASSERT_EQ(list.size(), 1000u);
    // Each score is the longer side of the changed byte, which the literal
    // measure gives too: checked here on a sample.
    for (std::size_t k = 0; k < list.size(); k += 97) {
        const std::string_view code = FindEntry(table, list[k].key)->code;
        const std::size_t changed = code.find('C');
        EXPECT_EQ(list[k].score, static_cast<int>(std::max(changed, code.size() - changed - 1)));
    }
    std::size_t matches = 0;
    const double seconds = SecondsOf([&] { matches = SearchWithRuns(table, codes[0]); });
    EXPECT_EQ(matches, 1000u);
    EXPECT_LT(seconds, 6.0);
}

std::size_t LineBytes(const CharTable& table)
{
    std::size_t bytes = 0;
    for (const CharEntry& entry : table)
        bytes += entry.key.size() + entry.code.size() + 3;
    return bytes;
}

// The code index, built and held, in a few bytes per byte of the lines: one
// long code, whose windows repeat, and many shorter codes, which share their
// windows with many others. Both took 8 bytes per window and more.
TEST(HostileDictionary, CodeIndexTakesAFewBytesPerByte)
{
    std::mt19937 random(16);
    const std::vector<std::string> one = {Random(random, 1 << 22, "ABCDEFGH")};
    std::vector<std::string> many;
    for (int i = 0; i < 7000; ++i)
        many.push_back(Random(random, 800, "ABCDEFGH"));

    for (const std::vector<std::string>* codes : {&one, const_cast<const std::vector<std::string>*>(&many)}) {
        const CharTable table = TableOf(*codes);
        ASSERT_EQ(table.size(), codes->size());
        std::unique_ptr<CodeIndex> index;
        const std::size_t peak = PeakOf([&] { index = std::make_unique<CodeIndex>(table); });
        EXPECT_LT(peak, 5 * LineBytes(table) / 2);
        EXPECT_LT(index->Bytes(), 3 * LineBytes(table) / 2);

        // Still an index: a code's candidates are the entries sharing one
        // of its windows, not the whole table.
        std::vector<std::uint32_t> candidates;
        index->Candidates((*codes)[0].substr(0, 4), candidates);
        EXPECT_TRUE(std::is_sorted(candidates.begin(), candidates.end()));
        EXPECT_TRUE(std::binary_search(candidates.begin(), candidates.end(), 0u));
        EXPECT_LE(candidates.size(), std::max<std::size_t>(1, codes->size() / 4));
    }
}

}  // namespace
