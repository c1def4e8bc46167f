#pragma once

#include "vorn.h"

#include <benchmark/benchmark.h>

// The largest vorn the program handles, made in code: 50 boxes of every kind (20 phrase,
// 10 number, 10 text, 5 list, 5 picture) and `entries` entries with Cyrillic and Latin
// values. With distinctTitles the title values are all different (for the report).
Vorn makeFullVorn(int entries, bool distinctTitles = false);

// The sizes at which growth is measured (50 to 500 entries), fitted to a linear complexity.
inline void growthSizes(benchmark::internal::Benchmark* b) {
    for (const int entries : {50, 100, 250, 500})
        b->Arg(entries);
    b->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}
