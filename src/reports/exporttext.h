#pragma once

#include "vorn.h"

#include <QString>

#include <optional>
#include <vector>

// The texts of the three exports. Lines end with CR LF; write them with TextFile, which
// also gives them their code page. The boxes' headers and types are read from the vorn's
// descriptors, so the caller brings those up to date first.
namespace Export {

// The messages shown after each export.
inline const QString ShortListDone = QStringLiteral("Вывод успешный.");
inline const QString DetailedListDone = QStringLiteral("Вывод успешен.");
inline const QString ThisEntryDone = QStringLiteral("Вывод успешный");

// "N записей в ворне.", an empty line, then the number line of every entry in list order.
QString shortList(const Vorn& vorn);

// The count line and an empty line, then per entry its number line, the chosen fields and
// an empty line. positions are 1-based places in the output order (the items selected in
// the fields dialog), in any order; fields are written in output order. The title box and
// picture boxes are never written as fields, and fields are written only while the vorn
// has a title box.
QString detailedList(const Vorn& vorn, const std::vector<int>& positions);

// The number line of list position k and all its fields in output order, a text field
// followed by an empty line. Nothing for a k that names no entry (the card item).
std::optional<QString> thisEntry(const Vorn& vorn, int k);

// The number line of list position k: its three-digit number, and with a title box a
// blank and the entry's title value.
QString numberLine(const Vorn& vorn, int k);

} // namespace Export
