#pragma once

#include "vorn.h"

// The largest vorn the program handles, made in code: 50 boxes of every kind (20 phrase,
// 10 number, 10 text, 5 list, 5 picture) and `entries` entries with Cyrillic and Latin
// values. With distinctTitles the title values are all different (for the report).
Vorn makeFullVorn(int entries, bool distinctTitles = false);
