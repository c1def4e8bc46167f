#pragma once

#include "vorn.h"

#include <QString>
#include <QStringList>

#include <vector>

// Vorns built in code for tests.
namespace SampleVorn {

// One box of a test card.
BoxDescriptor box(qint16 type, const QString& header, const QString& defaultValue = {},
                  qint16 left = VornLimits::CardAreaLeft, qint16 top = VornLimits::CardAreaTop,
                  qint16 headPose = 1);

// A vorn with these boxes and entries: entries[p - 1] holds the values of the entry at
// list position p, one per box (missing values are empty), stored in row p.
Vorn make(const std::vector<BoxDescriptor>& boxes, const std::vector<QStringList>& entries,
          qint16 titleBox = VornLimits::NoTitle);

// The usual card: box 1 a phrase "Имя" (the title box, default "имя?"), box 2 a text
// "Заметка" (default "пусто"), laid out side by side. Entry p is titled titles[p - 1]
// and its note reads "заметка " + its title.
Vorn titled(const QStringList& titles);

// titled() with n entries named "e1" .. "en".
Vorn numbered(int n);

} // namespace SampleVorn
