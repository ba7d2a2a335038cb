#pragma once

#include "game/Rules.h"

#include <array>
#include <string>

// The colours a lane line can take. Lanes 1 to 3 start in the desktop's
// window-text colour until the first tick blackens every line.
enum class LineColour { WindowText, Black, Red };

// What the main window shows of the game. A default Board is the window's
// designer state, rebuilt on every load of the window.
template <typename T>
using PerLane = std::array<T, rules::kLanes>;

template <typename T>
constexpr PerLane<T> everyLane(T value)
{
    PerLane<T> lanes{};
    lanes.fill(value);
    return lanes;
}

// The outer lanes' lines are black, the inner ones the desktop's text colour.
constexpr PerLane<LineColour> designerLineColours()
{
    PerLane<LineColour> lines = everyLane(LineColour::WindowText);
    lines.front() = lines.back() = LineColour::Black;
    return lines;
}

struct Board {
    PerLane<float> targetTop = everyLane(rules::kTopOfLane);
    PerLane<bool> shooterArmed = everyLane(true);
    PerLane<LineColour> lineColour = designerLineColours();
    int interval = 0;                 // ms; 0 means no game is running
    std::string levelCaption = rules::kFirstLevelCaption;
    std::string scoreText = "0";      // both score displays
    std::string remainingText = std::to_string(rules::kHitsPerGame);
    bool enabled = true;

    bool running() const { return interval > 0; }
};
