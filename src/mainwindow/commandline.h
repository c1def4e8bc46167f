#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line, after QApplication has taken
// its own options out.
struct CommandLine {
    enum class Kind {
        Start,    // no argument: an empty new vorn
        OpenFile, // one file to load
        Usage,    // anything else: print usage and stop
    };
    Kind kind = Kind::Start;
    QString file;    // OpenFile: the path as given
    QString problem; // Usage: what was wrong, one line

    // The text for stderr when kind is Usage: the problem and how to call the program.
    QString usageText(const QString& program) const;

    // arguments as QCoreApplication::arguments() gives them, the program first. "--" ends
    // the options, so a file whose name starts with "-" can still be opened.
    static CommandLine parse(const QStringList& arguments);
};

// The exit code after a usage message.
inline constexpr int UsageExitCode = 2;
