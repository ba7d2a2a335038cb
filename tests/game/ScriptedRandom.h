#pragma once

#include "game/RandomSource.h"

#include <deque>

// Plays back the falls a test asks for; once the script runs out every lane
// falls by one unit.
class ScriptedRandom final : public RandomSource {
public:
    // A uniform value that draws the fall r (1 to 10).
    static float forFall(int r) { return (static_cast<float>(r) - 1.0f) / 10.0f + 0.05f; }

    void pushFalls(std::initializer_list<int> falls)
    {
        for (int r : falls)
            script_.push_back(forFall(r));
    }
    int draws() const { return draws_; }

    float nextUniform() override
    {
        ++draws_;
        if (script_.empty())
            return 0.0f;
        const float u = script_.front();
        script_.pop_front();
        return u;
    }

private:
    std::deque<float> script_;
    int draws_ = 0;
};
