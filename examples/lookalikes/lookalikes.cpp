// lookalikes DICTIONARY CHAR: the look-alikes of CHAR (code page 936 bytes)
// in DICTIONARY, one score group per line with its score, best first.
#include <cstdio>
#include <string>

#include "dictionary/char_table.h"
#include "search/search.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lookalikes DICTIONARY CHAR\n");
        return 2;
    }
    CharTable table;
    std::string reason;
    if (!LoadCharTable(table, argv[1], &reason)) {
        std::fprintf(stderr, "lookalikes: %s\n", reason.c_str());
        return 2;
    }
    const CharEntry* entry = FindEntry(table, argv[2]);
    if (!entry) {
        std::fprintf(stderr, "no find\n");
        return 1;
    }
    const std::vector<ScoredChar> list = RankMatches(table, entry->code);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i == 0 || list[i].score != list[i - 1].score)
            std::printf("%s%d:", i == 0 ? "" : "\n", list[i].score);
        std::printf(" %s", list[i].key.c_str());
    }
    std::printf("\n");
    return 0;
}
