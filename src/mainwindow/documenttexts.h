#pragma once

#include <QString>

// The texts of the document commands and the instructions window, written once so that a
// translation can replace them.
namespace DocumentText {
// The «Ворн» menu.
inline const QString MenuNew = QStringLiteral("Новый");
inline const QString MenuSave = QStringLiteral("Сохранить");
inline const QString MenuSaveAs = QStringLiteral("Сохранить как");
inline const QString MenuLoad = QStringLiteral("Загрузить");
inline const QString MenuImport = QStringLiteral("Импорт из CSV");
inline const QString MenuNaming = QStringLiteral("Назвать");
inline const QString MenuExit = QStringLiteral("Выход");

// Questions and messages.
inline const QString AskSaveChanges = QStringLiteral("Ворн был изменён. Сохранить?");
inline const QString AskName = QStringLiteral("Как назвать ворн?");
inline const QString Saved = QStringLiteral("Сохранено успешно.");
inline const QString OldFormat =
    QStringLiteral("При переходе в новую версию необходимо дать ворну имя и переместить "
                   "картинки в папку с тем же названием.");
// %1: how many values of the file could not be read.
inline const QString SkippedFields =
    QStringLiteral("Файл повреждён: не удалось прочитать значений: %1. Они оставлены пустыми.");

// Vorn files.
inline const QString VornPattern = QStringLiteral("*.vorn");
inline const QString VornSuffix = QStringLiteral(".vorn");
// Tables to import: CSV files first, then any file, since tables come under many names.
inline const QString TablePatterns = QStringLiteral("*.csv;;*");

// The instructions window.
inline const QString ReadmeTitle = QStringLiteral("Readme.txt");
inline const QString ReadmeClose = QStringLiteral("Закрыть");
// %1: the places looked at, one per line.
inline const QString ReadmeMissing =
    QStringLiteral("Не найден файл с инструкциями Readme.txt. Он должен быть здесь:\n%1");
// A file that cannot be opened is reported with FileErrors::OpenFailedText.
} // namespace DocumentText
