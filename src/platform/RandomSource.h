#pragma once

#include <cstdint>
#include <random>

// The program's one uniform generator on [0, 1). Every draw of every exercise
// goes through it, in the order the exercise states, so a scripted source in
// the tests sets up any exercise exactly.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A value in [0, 1); never 1.
    virtual double next() = 0;
    // floor(Rnd x k): 0 to k - 1, from one value of next().
    virtual int below(int k);
};

// Mersenne twister seeded once from the clock. The 53 high bits make the
// double, so the result is at most 1 - 2^-53 (std::generate_canonical may
// round up to 1.0, which would draw one past the end of every range).
class ClockRandom final : public RandomSource {
public:
    ClockRandom();
    double next() override;

private:
    std::mt19937_64 engine_;
};
