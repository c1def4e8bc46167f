#pragma once

#include "prompts.h"

#include <vector>

// Random numbers for tests: the given values in turn, starting over after the last one.
// With no values every number is 0.
class SequenceRandom : public RandomSource {
public:
    SequenceRandom(std::initializer_list<double> values = {}) : values_(values) {}

    double next() override {
        const auto n = static_cast<std::size_t>(calls_++);
        return values_.empty() ? 0.0 : values_[n % values_.size()];
    }
    int calls() const { return calls_; }

private:
    std::vector<double> values_;
    int calls_ = 0;
};
