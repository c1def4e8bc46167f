#include "support/samplevorn.h"

namespace SampleVorn {

QString value(QChar kind, int j, const QString& title) {
    const QString repeated = title.repeated(j);
    return title.isEmpty() ? QString()
           : kind == u'L'  ? ListSeparator + repeated
           : kind == u'I'  ? QStringLiteral(".\\New\\%1.png").arg(repeated)
                           : repeated;
}

Vorn make(const QString& kinds, const QString& titles) {
    std::vector<BoxDescriptor> boxes;
    for (int i = 0; i < kinds.size(); ++i) {
        const auto type = qint16(QStringLiteral("WPTILN").indexOf(kinds[i]));
        boxes.push_back(box(
            type, QStringLiteral("Порода Имя Заметка Фото Цвета Возраст").section(u' ', type, type),
            value(kinds[i], i + 1, "x"), qint16(2400 + 3000 * (i % 2)),
            qint16(1100 + 1500 * (i / 2)), qint16(i % 12 + 1)));
    }
    std::vector<QStringList> entries;
    for (const QString& title : titles.split(u' ', Qt::SkipEmptyParts)) {
        entries.emplace_back();
        for (int j = 1; j <= kinds.size(); ++j)
            entries.back() << value(kinds[j - 1], j, title == "-" ? QString() : title);
    }
    return make(boxes, entries,
                kinds.isEmpty() || !QStringLiteral("PTN").contains(kinds[0]) ? -1 : 1);
}

Vorn make(const std::vector<BoxDescriptor>& boxes, const std::vector<QStringList>& entries,
          qint16 titleBox) {
    Vorn vorn;
    vorn.BoxCount = qint16(boxes.size());
    vorn.EntryCount = qint16(entries.size());
    vorn.TitleBox = titleBox;
    vorn.CardWidth = VornLimits::DefaultCardWidth;
    vorn.CardHeight = VornLimits::DefaultCardHeight;
    for (int j = 1; j <= vorn.BoxCount; ++j)
        vorn.setDescriptor(j, boxes[j - 1]);
    for (int p = 1; p <= vorn.EntryCount; ++p) {
        vorn.setEntryOrder(p, qint16(p));
        for (int j = 1; j <= entries[p - 1].size(); ++j)
            vorn.setCell(p, j, entries[p - 1][j - 1]);
    }
    return vorn;
}

Vorn titled(const QStringList& titles) {
    std::vector<QStringList> entries;
    for (const QString& title : titles)
        entries.push_back({title, "заметка " + title});
    return make({box(BoxKind::Phrase, "Имя", "имя?", 2400, 1100),
                 box(BoxKind::Text, "Заметка", "пусто", 5400, 1100)},
                entries, 1);
}

} // namespace SampleVorn
