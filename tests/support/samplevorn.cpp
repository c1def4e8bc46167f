#include "support/samplevorn.h"

#include <QStringList>

namespace SampleVorn {
namespace {
const QString Kinds = QStringLiteral("WPTILN");
const QStringList Headers{"Порода", "Имя", "Заметка", "Фото", "Цвета", "Возраст"};
} // namespace

QString value(QChar kind, int j, const QString& title) {
    if (title.isEmpty())
        return {};
    const QString repeated = title.repeated(j);
    if (kind == u'L')
        return ListSeparator + repeated;
    return kind == u'I' ? QStringLiteral(".\\New\\%1.png").arg(repeated) : repeated;
}

Vorn make(const QString& kinds, const QString& titles) {
    Vorn vorn;
    vorn.BoxCount = static_cast<qint16>(kinds.size());
    for (int i = 0; i < kinds.size(); ++i) {
        const auto type = qint16(Kinds.indexOf(kinds[i]));
        const auto left = qint16(2400 + 3000 * (i % 2)), top = qint16(1100 + 1500 * (i / 2));
        vorn.descriptor(i + 1) = {
            type, Headers[type], qint16(i % 12 + 1), value(kinds[i], i + 1, "x"), left, top};
    }
    const QStringList names = titles.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    vorn.EntryCount = static_cast<qint16>(names.size());
    for (int p = 1; p <= names.size(); ++p) {
        vorn.setEntryOrder(p, static_cast<qint16>(p));
        const QString title = names[p - 1] == QLatin1String("-") ? QString() : names[p - 1];
        for (int j = 1; j <= kinds.size(); ++j)
            vorn.setCell(p, j, value(kinds[j - 1], j, title));
    }
    vorn.TitleBox = kinds.isEmpty() || !QStringLiteral("PTN").contains(kinds[0]) ? -1 : 1;
    vorn.CardWidth = VornLimits::DefaultCardWidth;
    vorn.CardHeight = VornLimits::DefaultCardHeight;
    return vorn;
}

BoxDescriptor box(qint16 type, const QString& header, const QString& defaultValue, qint16 left,
                  qint16 top, qint16 headPose) {
    return {type, header, headPose, defaultValue, left, top};
}

Vorn make(const std::vector<BoxDescriptor>& boxes, const std::vector<QStringList>& entries,
          qint16 titleBox) {
    Vorn vorn;
    vorn.BoxCount = static_cast<qint16>(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i)
        vorn.descriptor(static_cast<int>(i) + 1) = boxes[i];
    vorn.EntryCount = static_cast<qint16>(entries.size());
    for (size_t p = 1; p <= entries.size(); ++p) {
        vorn.setEntryOrder(static_cast<int>(p), static_cast<qint16>(p));
        for (int j = 1; j <= entries[p - 1].size(); ++j)
            vorn.setCell(static_cast<int>(p), j, entries[p - 1][j - 1]);
    }
    vorn.TitleBox = titleBox;
    vorn.CardWidth = VornLimits::DefaultCardWidth;
    vorn.CardHeight = VornLimits::DefaultCardHeight;
    return vorn;
}

Vorn titled(const QStringList& titles) {
    std::vector<QStringList> entries;
    for (const QString& title : titles)
        entries.push_back({title, QStringLiteral("заметка ") + title});
    return make(
        {box(BoxKind::Phrase, QStringLiteral("Имя"), QStringLiteral("имя?"), 2400, 1100),
         box(BoxKind::Text, QStringLiteral("Заметка"), QStringLiteral("пусто"), 5400, 1100)},
        entries, 1);
}

} // namespace SampleVorn
