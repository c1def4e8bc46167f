#pragma once

#include "vorn.h"

#include <QStringList>

#include <vector>

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

// One box of a test card, and a vorn with these boxes and entries: entries[p - 1] holds the
// values of the entry at list position p (missing values are empty), stored in row p.
inline BoxDescriptor box(qint16 type, const QString& header, const QString& defaultValue = {},
                         qint16 left = VornLimits::CardAreaLeft,
                         qint16 top = VornLimits::CardAreaTop, qint16 headPose = 1) {
    return {type, header, headPose, defaultValue, left, top};
}
Vorn make(const std::vector<BoxDescriptor>& boxes, const std::vector<QStringList>& entries,
          qint16 titleBox = VornLimits::NoTitle);

// A phrase "Имя" (the title box, default "имя?") and a text "Заметка" (default "пусто");
// entry p is titled titles[p - 1] and its note reads "заметка " + its title.
Vorn titled(const QStringList& titles);

} // namespace SampleVorn
