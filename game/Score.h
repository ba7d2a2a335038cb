#pragma once

#include <string>

// The running score. It starts each game as a 16-bit whole number and turns
// single precision with the first hit; both kinds print as the same digits.
class Score {
public:
    enum class Kind { Int16, Single };

    void reset() { kind_ = Kind::Int16; value_ = 0.0f; }
    void addTickPoints(int points) { value_ += static_cast<float>(points); }
    void addHitPoints(float points)
    {
        kind_ = Kind::Single;
        value_ += points;
    }

    Kind kind() const { return kind_; }
    float value() const { return value_; }
    std::string text() const;

private:
    Kind kind_ = Kind::Int16;
    float value_ = 0.0f;
};
