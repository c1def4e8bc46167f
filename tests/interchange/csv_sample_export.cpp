// Writes the CSV export of a sample vorn to the file named on the command line, and prints the
// cells a CSV reader should find in it as JSON ([[...], ...]). check_export.py reads the file
// with Python's csv module and compares it with these.
#include "csvexport.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace {

// The table as a reader should see it, headers first, columns in output order; list cells
// hold their items as lines, text cells their lines.
const QList<qint16> Kinds{BoxKind::Phrase, BoxKind::Word, BoxKind::Picture, BoxKind::Number,
                          BoxKind::Text,   BoxKind::List, BoxKind::Phrase};
const QList<QStringList> Table{
    {"Имя", "Порода, масть", "Фото", "Возраст", "Заметки \"важные\"", "Цвета", "Формула; и\tтаб"},
    {"Мурка", "сиам", ".\\Зоопарк\\cat.bmp", "3", "ест рыбу\nспит днём", "белый\nрыжий", "=1+2"},
    {"Кот \"Барсик\"", "a,b", "", "-32768", "", "A", " пробелы "},
    {"", ";", ".\\Зоопарк\\dog.bmp", "", "\n", "", "\t"},
    {"😀 ёж", "", "", "7", "один\n\nтри\n", "x\n\ny", "\"\""},
};

// A cell as the vorn stores it: a list with a mark before each item, a text with the CR LF
// line breaks that older files hold.
QString stored(qint16 kind, QString cell) {
    if (kind == BoxKind::List && !cell.isEmpty())
        return ListSeparator + cell.replace(u'\n', ListSeparator);
    return kind == BoxKind::Text ? cell.replace(QStringLiteral("\n"), QStringLiteral("\r\n"))
                                 : cell;
}

// Boxes stored in the reverse of their output order, entries in the reverse of list order,
// so that the export has to follow both orders.
Vorn sampleVorn() {
    const int n = int(Kinds.size());
    Vorn vorn;
    vorn.BoxCount = qint16(n);
    vorn.TitleBox = qint16(n);
    for (int c = 0; c < n; ++c) {
        BoxDescriptor box;
        box.Type = Kinds[c];
        box.Header = Table[0][c];
        vorn.setDescriptor(n - c, box);
        vorn.setBoxOrder(n - c, qint16(c + 1));
    }
    for (auto row = Table.crbegin(); row + 1 != Table.crend(); ++row) {
        const int p = vorn.insertEntryAfter(0).value();
        for (int c = 0; c < n; ++c)
            vorn.setValue(p, n - c, stored(Kinds[c], (*row)[c]));
    }
    return vorn;
}

} // namespace

int main(int argc, char** argv) {
    QString error;
    if (argc != 2 || !CsvExport::saveTo(QString::fromLocal8Bit(argv[1]), sampleVorn(), &error)) {
        std::fprintf(stderr, "%s\n",
                     argc != 2 ? "usage: csv_sample_export FILE" : qPrintable(error));
        return 1;
    }
    QJsonArray rows;
    for (const QStringList& cells : Table)
        rows.append(QJsonArray::fromStringList(cells));
    std::fputs(QJsonDocument(rows).toJson().constData(), stdout);
    return 0;
}
