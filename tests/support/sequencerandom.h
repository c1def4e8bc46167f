#pragma once

#include "prompts.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

// Random numbers for tests: the given values in turn, starting over after the last one.
// With no values every number is 0.
class SequenceRandom : public RandomSource {
public:
    SequenceRandom() = default;
    SequenceRandom(std::initializer_list<double> values) : values_(values) {}

    double next() override {
        ++calls_;
        if (values_.empty())
            return 0.0;
        const double value = values_[position_];
        position_ = (position_ + 1) % values_.size();
        return value;
    }

    int calls() const { return calls_; }

private:
    std::vector<double> values_;
    std::size_t position_ = 0;
    int calls_ = 0;
};
