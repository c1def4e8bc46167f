#include "clockrandom.h"

#include <chrono>
#include <cmath>

ClockRandom::ClockRandom()
    : ClockRandom(
          static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
}

ClockRandom::ClockRandom(std::uint32_t seed) : engine_(seed) {}

double ClockRandom::next() {
    const double value = unit_(engine_);
    // Some standard libraries can round up to exactly 1; callers rely on the open end.
    return value < 1.0 ? value : std::nextafter(1.0, 0.0);
}
