#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line. Read before QApplication is made,
// so that help, the version and a mistake need no display; Qt's own options (-platform,
// -style and the like) are passed over here and left for QApplication.
struct CommandLine {
    enum class Kind {
        Start,    // no argument: an empty new vorn
        OpenFile, // one file to load
        Usage,    // a mistake: the problem and the usage on stderr, exit code UsageExitCode
        Help,     // -h, --help: the help on stdout, exit code 0
        Version,  // --version: the version on stdout, exit code 0
    };
    Kind kind = Kind::Start;
    QString file;    // OpenFile: the path as given
    QString problem; // Usage: what was wrong, one line

    // The text for stderr when kind is Usage: the problem and how to call the program.
    QString usageText(const QString& program) const;
    // The text for stdout for Help and Version.
    static QString helpText(const QString& program);
    static QString versionText();

    // arguments as the program received them, the program first. "--" ends the options, so
    // a file whose name starts with "-" can still be opened.
    static CommandLine parse(const QStringList& arguments);
};

// The exit code after a usage message.
inline constexpr int UsageExitCode = 2;
