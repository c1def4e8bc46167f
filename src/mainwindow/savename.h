#pragma once

#include <QFileInfo>
#include <QString>

// The save dialog's answer with suffix (".vorn", ".pdf") added when the user typed no
// extension, so the file shows up under the dialog's pattern when it is looked for again.
inline QString withSuffix(const QString& chosen, const QString& suffix) {
    if (!QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    if (chosen.endsWith(QLatin1Char('.')))
        return chosen + suffix.mid(1);
    return chosen + suffix;
}
