#include "commandline.h"

#include <QFileInfo>

namespace {
const QString UnknownOption = QStringLiteral("неизвестный параметр «%1»");
const QString EmptyName = QStringLiteral("пустое имя файла");
const QString TooManyFiles = QStringLiteral("можно открыть только один файл");
// %1: the program's name.
const QString UsageLine = QStringLiteral("Использование: %1 [ФАЙЛ.vorn]");
} // namespace

QString CommandLine::usageText(const QString& program) const {
    const QString name = QFileInfo(program).fileName();
    return name + QStringLiteral(": ") + problem + QLatin1Char('\n') + UsageLine.arg(name) +
           QLatin1Char('\n');
}

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine result;
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        // A lone "-" would mean standard input, which a vorn is never read from.
        if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            result.kind = Kind::Usage;
            result.problem = UnknownOption.arg(argument);
            return result;
        }
        if (argument.isEmpty()) {
            result.kind = Kind::Usage;
            result.problem = EmptyName;
            return result;
        }
        files << argument;
    }
    if (files.size() > 1) {
        result.kind = Kind::Usage;
        result.problem = TooManyFiles;
    } else if (files.size() == 1) {
        result.kind = Kind::OpenFile;
        result.file = files.constFirst();
    }
    return result;
}
