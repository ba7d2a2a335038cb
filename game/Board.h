#pragma once

#include "game/Rules.h"

#include <array>
#include <string>

// The colours a lane line can take. Lanes 1 to 3 start in the desktop's
// window-text colour until the first tick blackens every line.
enum class LineColour { WindowText, Black, Red };

// What the main window shows of the game. A default Board is the window's
// designer state, rebuilt on every load of the window.
struct Board {
    std::array<float, rules::kLanes> targetTop{
        rules::kTopOfLane, rules::kTopOfLane, rules::kTopOfLane, rules::kTopOfLane, rules::kTopOfLane};
    std::array<bool, rules::kLanes> shooterArmed{true, true, true, true, true};
    std::array<LineColour, rules::kLanes> lineColour{
        LineColour::Black, LineColour::WindowText, LineColour::WindowText, LineColour::WindowText,
        LineColour::Black};
    int interval = 0;                 // ms; 0 means no game is running
    std::string levelCaption = rules::kFirstLevelCaption;
    std::string scoreText = "0";      // both score displays
    std::string remainingText = "500";
    bool enabled = true;

    bool running() const { return interval > 0; }
};
