#pragma once

#include "vorn.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

// Small vorns for the report tests: boxes by type and header, entries by their values in
// list order (one value per box; missing values are empty).
struct BoxDef {
    qint16 type;
    QString header;
};

inline Vorn makeVorn(const QList<BoxDef>& boxes, const QList<QStringList>& entries,
                     qint16 titleBox = VornLimits::NoTitle) {
    Vorn vorn;
    vorn.BoxCount = qint16(boxes.size());
    for (int j = 1; j <= boxes.size(); ++j) {
        vorn.descriptor(j).Type = boxes[j - 1].type;
        vorn.descriptor(j).Header = boxes[j - 1].header;
    }
    vorn.TitleBox = titleBox;
    for (const QStringList& values : entries) {
        const std::optional<int> p = vorn.insertEntryAfter(vorn.EntryCount);
        if (!p)
            break;
        for (int j = 1; j <= values.size(); ++j)
            vorn.setValue(*p, j, values[j - 1]);
    }
    return vorn;
}

// A vorn with one phrase box as the title box and one entry per title value.
inline Vorn titledVorn(const QStringList& titles) {
    QList<QStringList> entries;
    for (const QString& t : titles)
        entries.append(QStringList{t});
    return makeVorn({{BoxKind::Phrase, QStringLiteral("Имя")}}, entries, 1);
}

// Expected file contents: the text in Windows-1251 (only characters the code page holds).
inline QByteArray cp1251(const QString& text) {
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

// A list value as a list box stores it: the separator in front of every item.
inline QString listValue(const QStringList& items) {
    QString value;
    for (const QString& item : items)
        value += ListSeparator + item;
    return value;
}

Q_DECLARE_METATYPE(Vorn)
