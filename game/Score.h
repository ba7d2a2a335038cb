#pragma once

#include <string>

// The running score. Held in single precision, which keeps every score a
// game can reach exact and prints as plain digits.
class Score {
public:
    void reset() { value_ = 0.0f; }
    void addTickPoints(int points) { value_ += static_cast<float>(points); }
    void addHitPoints(float points) { value_ += points; }

    float value() const { return value_; }
    std::string text() const;

private:
    float value_ = 0.0f;
};
