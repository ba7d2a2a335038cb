#include "game/Score.h"

#include <cmath>
#include <cstdio>

std::string Score::text() const
{
    // Scores are whole multiples of 5, so the digits are exact.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(std::nearbyint(value_)));
    return buffer;
}
