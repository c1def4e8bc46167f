#pragma once

#include "vorn.h"

#include <QString>

#include <optional>

// The counting commands over the title values of the entries, taken in storage-row order.
// Each gives nothing when the vorn has no title box. Counts are 16-bit and stop at the
// largest value instead of wrapping.
namespace Counting {

// Title of the box that shows the report and asks whether to save it.
inline const QString ReportTitle = QStringLiteral("Сохранить?");

// A percentage as the messages write it: up to 15 significant digits, no trailing zeros,
// no zero in front of the point, then cut (not rounded) to five characters.
QString percentText(double percent);
// count as a percentage of total, written as above; "0" when there are no entries.
QString percentOf(qint16 count, qint16 total);

// How many entries contain each word of the query ("кот+пёс"), summed; case is ignored.
std::optional<qint16> occurrences(const Vorn& vorn, const QString& query);
std::optional<qint16> emptyCount(const Vorn& vorn);
std::optional<qint16> fullCount(const Vorn& vorn);

// "Найдено N вхождений (P%).", "Найдено N пустых (P%).", "Найдено N непустых (P%).".
std::optional<QString> occurrencesMessage(const Vorn& vorn, const QString& query);
std::optional<QString> emptyMessage(const Vorn& vorn);
std::optional<QString> fullMessage(const Vorn& vorn);

// Every distinct title value (letter case ignored, empty ones as "Пустые") with its count,
// most frequent first, one line each, lines joined by CR LF.
std::optional<QString> statsReport(const Vorn& vorn);

// Saves the report as a file: its text and one CR LF, in the export code page.
bool saveReport(const QString& path, const QString& report, QString* error = nullptr);

} // namespace Counting
