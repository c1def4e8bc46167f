#include "commandline.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {
const QString UnknownOption = QStringLiteral("неизвестный параметр «%1»");
const QString EmptyName = QStringLiteral("пустое имя файла");
const QString TooManyFiles = QStringLiteral("можно открыть только один файл");
// %1: the program's name.
const QString UsageLine = QStringLiteral("Использование: %1 [ФАЙЛ.vorn]");
const QString HelpHint = QStringLiteral("Подробнее: %1 --help");
const QString HelpBody =
    QStringLiteral("Открывает ворн из ФАЙЛА, а без него начинает новый.\n"
                   "\n"
                   "  -h, --help   показать эту справку\n"
                   "  --version    показать версию программы\n"
                   "  --           дальше идут только имена файлов\n"
                   "\n"
                   "Параметры Qt, например -platform ИМЯ и -style ИМЯ, передаются Qt.");
const QString ProgramName = QStringLiteral("Tessavorn");

const QString EndOfOptions = QStringLiteral("--");
const QString HelpShort = QStringLiteral("-h");
const QString HelpLong = QStringLiteral("--help");
const QString VersionLong = QStringLiteral("--version");

// Qt's own options, as QGuiApplication, QApplication and the platform plugins read them:
// those that take the next argument as their value (or a value after "="), and those that
// stand alone. Either may be written with one dash or two.
const std::array<QLatin1StringView, 16> QtOptionsWithValue{QLatin1StringView("platform"),
                                                           QLatin1StringView("platformpluginpath"),
                                                           QLatin1StringView("platformtheme"),
                                                           QLatin1StringView("plugin"),
                                                           QLatin1StringView("qwindowgeometry"),
                                                           QLatin1StringView("qwindowicon"),
                                                           QLatin1StringView("qwindowtitle"),
                                                           QLatin1StringView("geometry"),
                                                           QLatin1StringView("title"),
                                                           QLatin1StringView("icon"),
                                                           QLatin1StringView("session"),
                                                           QLatin1StringView("style"),
                                                           QLatin1StringView("stylesheet"),
                                                           QLatin1StringView("display"),
                                                           QLatin1StringView("name"),
                                                           QLatin1StringView("visual")};
const std::array<QLatin1StringView, 7> QtFlagOptions{
    QLatin1StringView("reverse"),      QLatin1StringView("widgetcount"),
    QLatin1StringView("nograb"),       QLatin1StringView("dograb"),
    QLatin1StringView("sync"),         QLatin1StringView("testability"),
    QLatin1StringView("qmljsdebugger")};

template <std::size_t N>
bool listed(const std::array<QLatin1StringView, N>& options, QStringView name) {
    return std::any_of(options.begin(), options.end(),
                       [name](QLatin1StringView option) { return name == option; });
}

// How many arguments a Qt option at argument takes, itself included; 0 when it is none.
int qtOptionLength(const QString& argument) {
    QStringView name(argument);
    name = name.sliced(name.startsWith(EndOfOptions) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    if (equals >= 0)
        return listed(QtOptionsWithValue, name.first(equals)) ||
                       listed(QtFlagOptions, name.first(equals))
                   ? 1
                   : 0;
    if (listed(QtOptionsWithValue, name))
        return 2;
    return listed(QtFlagOptions, name) ? 1 : 0;
}

CommandLine mistake(const QString& problem) {
    CommandLine result;
    result.kind = CommandLine::Kind::Usage;
    result.problem = problem;
    return result;
}
} // namespace

QString CommandLine::usageText(const QString& program) const {
    const QString name = QFileInfo(program).fileName();
    return name + QStringLiteral(": ") + problem + QLatin1Char('\n') + UsageLine.arg(name) +
           QLatin1Char('\n') + HelpHint.arg(name) + QLatin1Char('\n');
}

QString CommandLine::helpText(const QString& program) {
    return UsageLine.arg(QFileInfo(program).fileName()) + QLatin1Char('\n') + HelpBody +
           QLatin1Char('\n');
}

QString CommandLine::versionText() {
    return ProgramName + QLatin1Char(' ') + QStringLiteral(TESSAVORN_VERSION) + QLatin1Char('\n');
}

CommandLine CommandLine::parse(const QStringList& arguments) {
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            if (argument == EndOfOptions) {
                optionsEnded = true;
                continue;
            }
            if (argument == HelpShort || argument == HelpLong) {
                CommandLine help;
                help.kind = Kind::Help;
                return help;
            }
            if (argument == VersionLong) {
                CommandLine version;
                version.kind = Kind::Version;
                return version;
            }
            // A lone "-" would mean standard input, which a vorn is never read from.
            const int length = argument.size() > 1 ? qtOptionLength(argument) : 0;
            if (length == 0)
                return mistake(UnknownOption.arg(argument));
            i += length - 1;
            continue;
        }
        if (argument.isEmpty())
            return mistake(EmptyName);
        files << argument;
    }
    if (files.size() > 1)
        return mistake(TooManyFiles);
    CommandLine result;
    if (files.size() == 1) {
        result.kind = Kind::OpenFile;
        result.file = files.constFirst();
    }
    return result;
}
