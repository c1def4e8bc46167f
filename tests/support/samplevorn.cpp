#include "support/samplevorn.h"

namespace SampleVorn {

BoxDescriptor box(qint16 type, const QString& header, const QString& defaultValue, qint16 left,
                  qint16 top, qint16 headPose) {
    BoxDescriptor d;
    d.Type = type;
    d.Header = header;
    d.HeadPose = headPose;
    d.DefaultValue = defaultValue;
    d.Left = left;
    d.Top = top;
    return d;
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
        const QStringList& values = entries[p - 1];
        for (int j = 1; j <= values.size(); ++j)
            vorn.setCell(static_cast<int>(p), j, values[j - 1]);
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

Vorn numbered(int n) {
    QStringList titles;
    for (int i = 1; i <= n; ++i)
        titles << QStringLiteral("e%1").arg(i);
    return titled(titles);
}

} // namespace SampleVorn
