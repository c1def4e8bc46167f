#pragma once

#include "vorn.h"

#include <QByteArray>
#include <QString>

// The vorn as a CSV table for spreadsheet programs: UTF-8 with a byte-order mark, comma
// separators, CR LF row ends. The first row holds the box headers in output order (every
// box once, picture boxes too), then one row per entry in list order. A field is quoted when
// it holds a comma, a quote or a line break, a quote inside doubled; a header also when it
// holds a semicolon or a tab, so that the first row cannot suggest another separator. Every
// line break inside a value is written as LF; a list value is its items, one per line,
// always quoted.
// Headers and types are read from the descriptors, so the caller brings those up to date
// first.
namespace CsvExport {

QByteArray exportVorn(const Vorn& vorn);

// Writes exportVorn(vorn) to path through QSaveFile: on failure the file that was there
// stays as it was, nothing half-written is left behind, and error names the file and the
// reason.
bool saveTo(const QString& path, const Vorn& vorn, QString* error = nullptr);

} // namespace CsvExport
