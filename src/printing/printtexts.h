#pragma once

#include <QString>

// The texts of printed cards and of the print and PDF output, written once so that a
// translation can replace them.
namespace PrintText {
// The small line above each card. %1: the vorn's name, %2: the entry's caption in the list.
inline const QString CardHeading = QStringLiteral("%1 — %2");
// %1: the file, %2: the reason.
inline const QString PdfFailed = QStringLiteral("Не удалось сохранить PDF-файл «%1»: %2");
// %1: the vorn's name.
inline const QString PrintFailed = QStringLiteral("Не удалось напечатать ворн «%1».");
// The reason given when the PDF could not be drawn at all.
inline const QString PdfNotDrawn = QStringLiteral("не удалось начать рисование");
// The program named as the maker of a PDF.
inline const QString Creator = QStringLiteral("Tessavorn");
} // namespace PrintText
