#pragma once

#include "fileiconengine.h"
#include "qttranslations.h"

#include <QApplication>
#include <QIcon>

// What the program sets on its application before it makes its window: its name, Qt's
// catalogue for the system's language, the window icon (a resource of the program) and the
// desktop file the desktop knows it by. The benchmark that takes the program's peak memory
// does the same.
inline void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tessavorn"));
    // Without the catalogue Qt's buttons stay English; the program still works.
    installQtTranslations(app);
    QApplication::setWindowIcon(
        QIcon(new FileIconEngine(QStringLiteral(":/icons/tessavorn-256.png"))));
    QGuiApplication::setDesktopFileName(QStringLiteral("tessavorn"));
}
