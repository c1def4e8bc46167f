#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (the standard buttons, the file dialogs) in Russian, like the program's:
// loads Qt's Russian catalogue from the system's Qt translations folder and installs it on
// app, which owns it. Nothing (and Qt's texts stay English) when the catalogue is missing.
QTranslator* installQtTranslations(QCoreApplication& app);
