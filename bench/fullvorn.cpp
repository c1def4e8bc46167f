#include "fullvorn.h"

#include <QStringList>

namespace {

const QStringList kWords = {
    QStringLiteral("кот"),     QStringLiteral("пёс"),        QStringLiteral("сова"),
    QStringLiteral("ёж"),      QStringLiteral("Moscow"),     QStringLiteral("river"),
    QStringLiteral("Ладога"),  QStringLiteral("библиотека"), QStringLiteral("card"),
    QStringLiteral("Зелёный"), QStringLiteral("tessera"),    QStringLiteral("окно"),
};

QString word(int seed) {
    return kWords.at(seed % kWords.size());
}

// About 200 characters over three lines.
QString longText(int seed) {
    QString text;
    for (int line = 0; line < 3; ++line) {
        if (line > 0)
            text += QStringLiteral("\r\n");
        for (int w = 0; w < 8; ++w)
            text += word(seed + line * 8 + w) + QLatin1Char(' ');
    }
    return text;
}

QString listValue(int seed) {
    QString value;
    for (int item = 0; item < 10; ++item)
        value += ListSeparator + word(seed + item) + QString::number(item);
    return value;
}

qint16 kindOf(int j) { // j = 1..50
    if (j <= 20)
        return BoxKind::Phrase;
    if (j <= 30)
        return BoxKind::Number;
    if (j <= 40)
        return BoxKind::Text;
    if (j <= 45)
        return BoxKind::List;
    return BoxKind::Picture;
}

} // namespace

Vorn makeFullVorn(int entries, bool distinctTitles) {
    Vorn vorn;
    vorn.VornName = QStringLiteral("zoo");
    vorn.BoxCount = VornLimits::MaxBoxes;
    vorn.TitleBox = 1;
    vorn.CardWidth = 30000;
    vorn.CardHeight = 20000;
    for (int j = 1; j <= VornLimits::MaxBoxes; ++j) {
        BoxDescriptor box;
        box.Type = kindOf(j);
        box.Header = QStringLiteral("Поле %1").arg(j);
        box.HeadPose = qint16(1 + j % 12);
        box.Left = qint16(2200 + (j % 10) * 2700);
        box.Top = qint16(900 + (j / 10) * 3500);
        vorn.setDescriptor(j, box);
        vorn.setBoxOrder(j, qint16(VornLimits::MaxBoxes + 1 - j));
    }
    for (int p = 1; p <= entries; ++p) {
        const auto pos = vorn.insertEntryAfter(p - 1);
        if (!pos)
            break;
        for (int j = 1; j <= VornLimits::MaxBoxes; ++j) {
            QString value;
            switch (kindOf(j)) {
            case BoxKind::Phrase:
                value = word(p + j) + QLatin1Char(' ') + word(p * 7 + j);
                break;
            case BoxKind::Number:
                value = QString::number(p * 37 + j);
                break;
            case BoxKind::Text:
                value = longText(p + j);
                break;
            case BoxKind::List:
                value = listValue(p + j);
                break;
            default:
                value = QStringLiteral(".\\zoo\\picture%1.png").arg((p + j) % 20);
            }
            vorn.setValue(*pos, j, value);
        }
        if (distinctTitles)
            vorn.setValue(*pos, 1, QStringLiteral("Запись %1").arg(p));
    }
    vorn.Modified = false;
    return vorn;
}
