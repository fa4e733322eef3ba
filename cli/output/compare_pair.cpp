#include "cli/output/compare_pair.h"

#include <algorithm>
#include <string>

#include "answer/answer.h"
#include "answer/render_text.h"
#include "cli/output/query_answers.h"
#include "answer/shared_run_text.h"
#include "search/common_run_length.h"
#include "search/search.h"

namespace {

std::string Bytes(int count)
{
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

// "未 lists 末 (12): 木 [3F]": how `query`'s search scores `match`, `score`.
std::string ListingLine(const Query& query, const CharEntry& queryEntry, const Query& match, const CharEntry& matchEntry,
                        int score)
{
    const std::string verb = score >= kMinimumScore ? " lists " : " does not list ";
    return query.Shown() + verb + match.Shown() + " (" + std::to_string(score) + "): " +
           DescribeSharedRun(matchEntry.code, LongestSharedRun(matchEntry.code, queryEntry.code)) + "\n";
}

// "末 mò 周末 — against 未: 上横长 (a stroke differs)": what the readings
// data says of `character`, and what tells it apart from `other`.
std::string ReadingsLine(const Readings& readings, const Query& character, const CharEntry& entry,
                         const Query& other, const CharEntry& otherEntry)
{
    std::string line = character.Shown();
    if (const std::string shown = ShownReadings(ReadingsOf(&readings, entry.key)); !shown.empty())
        line += " " + shown;
    if (const std::optional<Difference> difference = readings.DifferenceOf(otherEntry.key, entry.key))
        line += " \xE2\x80\x94 against " + other.Shown() + ": " + ShownDifference(*difference);
    return line + "\n";
}

// The two listing lines, or why neither lists the other; true when either
// does.
bool CompareScores(const CharTable& table, const Query& a, const CharEntry* entryA, const Query& b,
                   const CharEntry* entryB, OutputStream& out)
{
    const int aListsB = CommonRunLength(entryB->code, entryA->code);
    const int bListsA = CommonRunLength(entryA->code, entryB->code);
    if (aListsB >= kMinimumScore || bListsA >= kMinimumScore) {
        out.Write(ListingLine(a, *entryA, b, *entryB, aListsB) + ListingLine(b, *entryB, a, *entryA, bListsA));
        return true;
    }
    if (entryA == entryB) {
        // The search finds a key's first line; a later line with the same
        // key is another entry, which it may list.
        int later = 0;
        for (const CharEntry& entry : table)
            if (&entry != entryA && entry.key == entryA->key)
                later = std::max(later, CommonRunLength(entry.code, entryA->code));
        if (later >= kMinimumScore)
            out.Write(a.Shown() + " is given twice; the dictionary has two lines for it, and its search lists the later one (" +
                      std::to_string(later) + "), never the line it looks up.\n");
        else
            out.Write(a.Shown() + " is given twice; a character never lists itself.\n");
    }
    else if (entryA->code == entryB->code)
        out.Write(a.Shown() + " and " + b.Shown() + " have the same code, so neither lists the other.\n");
    else
        out.Write(a.Shown() + " and " + b.Shown() + " share no run of " + Bytes(kMinimumScore) +
                  " of code, so neither lists the other (their longest shared run is " +
                  Bytes(std::max(aListsB, bListsA)) + ").\n");
    return false;
}

}  // namespace

bool ComparePair(const CharTable& table, const Query& a, const Query& b, GbkHint& gbk, const Readings* readings,
                 OutputStream& out, OutputStream& err)
{
    const CharEntry* entryA = LookUpQuery(table, a, true, gbk, err);
    const CharEntry* entryB = LookUpQuery(table, b, true, gbk, err);
    if (!entryA || !entryB)
        return false;
    const bool alike = CompareScores(table, a, entryA, b, entryB, out);
    if (readings && entryA->key != entryB->key)
        out.Write(ReadingsLine(*readings, a, *entryA, b, *entryB) + ReadingsLine(*readings, b, *entryB, a, *entryA));
    return alike;
}
