#include "game/LevelTable.h"

#include "game/Rules.h"

#include <array>

namespace {
using enum LevelRow::Test;
// Captions: "LEVEL", an ideographic space, one full-width character.
constexpr auto kRows = std::to_array<LevelRow>({
    {Equal, 30, 450, "LEVEL\u3000\uFF12"},
    {Greater, 60, 420, "LEVEL\u3000\uFF13"},
    {Greater, 90, 400, "LEVEL\u3000\uFF14"},
    {Greater, 120, 350, "LEVEL\u3000\uFF15"},
    {Greater, 150, 320, "LEVEL\u3000\uFF16"},
    {Greater, 180, 280, "LEVEL\u3000\uFF17"},
    {Greater, 210, 230, "LEVEL\u3000\uFF18"},
    {Greater, 240, 180, "LEVEL\u3000\uFF19"},
    {Greater, 300, 150, "LEVEL\u3000\uFF25"},
    {Greater, 400, 100, "LEVEL\u3000\u221E"},
    {Greater, rules::kHitsPerGame - 1, 0, "\u6253\u3061\u6B62\u3081"}, // the hit limit
});
} // namespace

std::span<const LevelRow> levelTable()
{
    return kRows;
}
