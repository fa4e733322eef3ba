#pragma once

#include <string>

// One search result: a matching entry's key and its score against the query.
struct ScoredChar {
    std::string key;
    int score;
};
