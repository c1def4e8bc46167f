#pragma once

#include "vorn.h"

#include <QString>

// Vorns built in code for tests, described by two short strings.
namespace SampleVorn {

// The value that box j of kind letter kind holds in the entry titled title: the title
// repeated j times (a list of that one item, a picture of that name in the folder of "New").
// An empty title leaves every box empty.
QString value(QChar kind, int j, const QString& title);

// A vorn with one box per letter of kinds (W word, P phrase, T text, I picture, L list,
// N number), headed by its kind's name with header position j, two boxes to a row; box 1 is
// the title box unless it is a word, picture or list box. One entry per blank-separated word
// of titles ("-" for an empty title), its boxes holding value(); the card's defaults are the
// values of an entry titled "x".
Vorn make(const QString& kinds, const QString& titles = {});

} // namespace SampleVorn
