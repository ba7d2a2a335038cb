#pragma once

// The numbers the game is built on, named once.
namespace rules {
inline constexpr int kLanes = 5;
inline constexpr float kTopOfLane = 480.0f;   // twips
inline constexpr float kFloor = 5520.0f;      // a target below this ends the game
inline constexpr float kFallUnit = 60.0f;     // twips per unit of a fall draw
inline constexpr float kShortestFall = 1.0f;  // a fall draw is 1 to 10 units
inline constexpr float kFallScale = 10.0f;
inline constexpr int kStartInterval = 500;    // ms, level 1
inline constexpr int kHitsPerGame = 500;
inline constexpr int kTickPoints = 5;
inline constexpr float kHitDivisor = 60.0f;   // 5 points per 60 twips fallen
inline constexpr float kHitMultiplier = 5.0f;
inline constexpr const char* kFirstLevelCaption = "LEVEL\u3000\uFF11";
} // namespace rules
