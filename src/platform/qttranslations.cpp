#include "qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// qt_ru.qm names the catalogues of each Qt module it covers.
const QString Catalogue = QStringLiteral("qt");
const QString Prefix = QStringLiteral("_");
} // namespace

QTranslator* installQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // Russian whatever the system's language: the program's own texts are Russian too.
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), Catalogue, Prefix,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
