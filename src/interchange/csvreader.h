#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Reading CSV text: its encoding, its separator and its rows. Quoted fields may hold
// separators, doubled quotes and line breaks; any of CR LF, LF and a lone CR ends a row.
namespace CsvReader {

// The file's text: UTF-8, a byte-order mark in front dropped. A file that is not valid
// UTF-8 throughout is read as Windows-1251 instead, which older Russian spreadsheets write.
QString decode(const QByteArray& bytes);

// The separator of the first row: whichever of comma, semicolon and tab it holds most
// often outside quotes; on a tie tab wins, then semicolon. A comma when it holds none.
QChar detectSeparator(QStringView text);

struct Table {
    std::vector<QStringList> rows; // the first keepRows rows, each as long as it was written
    qsizetype rowCount = 0;        // every row of the text, kept or not
    // The line (from 1) where a quoted field began that the text never closes; 0 when every
    // quote is closed. Then rows and rowCount say nothing.
    int unterminatedLine = 0;
};

// Splits text into rows of cells. An empty line is no row. A field is quoted only when it
// starts with a quote; a quote elsewhere in an unquoted field is an ordinary character, and
// whatever follows a closing quote up to the separator is taken as it stands. Line breaks
// inside a quoted field become LF, whatever the file used.
Table parse(QStringView text, QChar separator, qsizetype keepRows);

} // namespace CsvReader
