#pragma once

#include <QString>

// What the CSV export and import tell the user. %1 and %2 are filled in where they are used.
namespace CsvText {

inline const QString ReadFailed = QStringLiteral("Не удалось прочитать файл «%1»: %2.");
inline const QString ImportFailed = QStringLiteral("Не удалось импортировать файл «%1». %2");

inline const QString EmptyFile = QStringLiteral("В файле нет ни одной строки.");
// %1 is the count with its word ("51 столбец"), %2 the limit.
inline const QString TooManyColumns = QStringLiteral("В файле %1, а ворн вмещает не больше %2.");
inline const QString UnterminatedQuote =
    QStringLiteral("Кавычка, открытая в строке %1, не закрыта.");

inline const QString RowsLeftOut =
    QStringLiteral("Ворн вмещает не больше %1 записей: импортированы первые %1 строк, "
                   "пропущено строк: %2.");
inline const QString RowsCut =
    QStringLiteral("Строк длиннее заголовка: %1; лишние ячейки в них отброшены.");

// The header of a column whose header cell is empty; %1 is the column number.
inline const QString UnnamedColumn = QStringLiteral("Поле %1");

// "столбец" for 1, 21, 51...; "столбца" for 2-4, 22-24...; "столбцов" for the rest.
inline const QString ColumnOne = QStringLiteral("столбец");
inline const QString ColumnFew = QStringLiteral("столбца");
inline const QString ColumnMany = QStringLiteral("столбцов");

} // namespace CsvText
