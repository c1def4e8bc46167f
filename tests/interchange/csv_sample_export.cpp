// Writes the CSV export of a sample vorn, and the cells a CSV reader should find in it, into
// the folder named on the command line: sample.csv and expected.json ({"rows": [[...], ...]}).
// check_export.py reads the one with Python's csv module and compares it with the other.
#include "csvexport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

struct Column {
    qint16 kind;
    QString header;
};

// The table as a reader should see it, in output order; list cells hold their items as
// lines, text cells their lines.
const QList<Column> Columns{{BoxKind::Phrase, "Имя"},
                            {BoxKind::Word, "Порода, масть"},
                            {BoxKind::Picture, "Фото"},
                            {BoxKind::Number, "Возраст"},
                            {BoxKind::Text, "Заметки \"важные\""},
                            {BoxKind::List, "Цвета"},
                            {BoxKind::Phrase, "Формула; и\tтаб"}};
const QList<QStringList> Cells{
    {"Мурка", "сиам", ".\\Зоопарк\\cat.bmp", "3", "ест рыбу\nспит днём", "белый\nрыжий", "=1+2"},
    {"Кот \"Барсик\"", "a,b", "", "-32768", "", "A", " пробелы "},
    {"", ";", ".\\Зоопарк\\dog.bmp", "", "\n", "", "\t"},
    {"😀 ёж", "", "", "7", "один\n\nтри\n", "x\n\ny", "\"\""},
};

// A cell as the vorn stores it: a list with a mark before each item, a text with the CR LF
// line breaks that older files hold.
QString stored(qint16 kind, const QString& cell) {
    if (kind == BoxKind::List && !cell.isEmpty())
        return ListSeparator + QString(cell).replace(u'\n', ListSeparator);
    if (kind == BoxKind::Text)
        return QString(cell).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return cell;
}

// Boxes stored in the reverse of their output order, entries in the reverse of list order,
// so that the export has to follow both orders.
Vorn sampleVorn() {
    const int n = int(Columns.size());
    Vorn vorn;
    vorn.BoxCount = qint16(n);
    vorn.TitleBox = qint16(n);
    for (int c = 0; c < n; ++c) {
        const int j = n - c;
        BoxDescriptor box;
        box.Type = Columns[c].kind;
        box.Header = Columns[c].header;
        vorn.setDescriptor(j, box);
        vorn.setBoxOrder(j, qint16(c + 1));
    }
    for (auto row = Cells.crbegin(); row != Cells.crend(); ++row) {
        const int p = vorn.insertEntryAfter(0).value();
        for (int c = 0; c < n; ++c)
            vorn.setValue(p, n - c, stored(Columns[c].kind, (*row)[c]));
    }
    return vorn;
}

QJsonArray jsonRow(const QStringList& cells) {
    return QJsonArray::fromStringList(cells);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QString error;
    if (!CsvExport::saveTo(folder.filePath("sample.csv"), sampleVorn(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QStringList headers;
    for (const Column& column : Columns)
        headers << column.header;
    QJsonArray rows{jsonRow(headers)};
    for (const QStringList& cells : Cells)
        rows.append(jsonRow(cells));
    QFile expected(folder.filePath("expected.json"));
    if (!expected.open(QIODevice::WriteOnly) ||
        expected.write(QJsonDocument(QJsonObject{{"rows", rows}}).toJson()) < 0) {
        std::fprintf(stderr, "%s\n", qPrintable(expected.errorString()));
        return 1;
    }
    return 0;
}
