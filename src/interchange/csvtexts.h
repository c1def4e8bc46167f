#pragma once

#include <QString>

// What the CSV export and import tell the user. %1 and %2 are filled in where they are used.
namespace CsvText {

inline const QString SaveFailed = QStringLiteral("Не удалось записать файл «%1»: %2");

} // namespace CsvText
