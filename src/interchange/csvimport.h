#pragma once

#include "columnlayout.h"
#include "vorn.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A new vorn from a CSV table: one box per column, headed by the column's header in the
// first row, one entry per further row.
//
// A column whose filled cells are all whole numbers within 16 bits becomes a number box,
// one with a line break in any cell a text box, any other (an empty one too) a phrase box;
// the first of them is the title box. The boxes are laid out in columns (ColumnLayout).
// The vorn is named after the file, has no path (the next save asks for one), is modified
// and unlocked, with the card item shown.
namespace CsvImport {

using BoxMeasure = ColumnLayout::BoxMeasure;

struct Result {
    std::optional<Vorn> vorn; // set only when the table was imported
    QString error;            // a sentence a user can act on, when vorn is empty
    int rowsCut = 0;          // rows longer than the header whose extra cells held something
    int rowsLeftOut = 0;      // rows past the vorn's limit of entries
    // What to tell the user once the vorn is shown: rows cut and rows left out, one sentence
    // a line. Empty when every row went in as written.
    QString message;
};

// Reads the table from the file's bytes (see CsvReader for the encoding and the separator).
// Refused, with error set: an empty file, an unclosed quote, more columns than boxes. A
// row shorter than the header is padded with empty cells; only the first MaxEntries rows
// after the header are taken.
Result importCsv(const QByteArray& bytes, const QString& baseName,
                 const BoxMeasure& measure = ColumnLayout::estimatedSize);

// Reads the file at path and imports it under its name without the extension. Every error
// names the file.
Result importFile(const QString& path, const BoxMeasure& measure = ColumnLayout::estimatedSize);

} // namespace CsvImport
