#pragma once

#include <span>
#include <string_view>

// One row of the level table: the tick applies it when its condition on the
// hit count holds. Rows are independent tests; the last one applied wins.
struct LevelRow {
    enum class Test { Equal, Greater };
    Test test;
    int hits;
    int interval;            // ms; 0 ends the game
    std::string_view caption; // UTF-8

    bool appliesTo(int hitCount) const
    {
        return test == Test::Equal ? hitCount == hits : hitCount > hits;
    }
};

std::span<const LevelRow> levelTable();
