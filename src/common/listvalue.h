#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// A list value is its items, each preceded by ListSeparator, with no separator at
// the end. The field box, the exports and the counting all read lists through these.
namespace ListValue {

// Item n (from 1): the text between the n-th separator and the next one (or the end),
// with leading and trailing spaces removed (spaces only). Empty when there is no such item
// or n is below 1.
QString item(const QString& value, int n);

// Items 1..n of the value, as item() gives them, in one pass.
QStringList items(const QString& value, int n);

// The number of separators in the value (at most what 16 bits hold).
qint16 count(const QString& value);

// The value with a separator put in front unless it already begins with one (so an empty
// value becomes one empty item).
QString normalised(const QString& value);

// The value holding exactly these items, in order.
QString joined(const QStringList& items);

// An item text made safe for a list: a separator inside it would split it into two items.
QString sanitisedItem(const QString& text);

// Removes leading and trailing spaces, and nothing else.
QString trimmedSpaces(const QString& text);

} // namespace ListValue
