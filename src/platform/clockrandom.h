#pragma once

#include "prompts.h"

#include <cstdint>
#include <random>

// The production random numbers: a Mersenne twister seeded from the clock at start-up.
class ClockRandom : public RandomSource {
public:
    ClockRandom();
    explicit ClockRandom(std::uint32_t seed);

    double next() override; // in [0, 1)

private:
    std::mt19937 engine_;
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
};
