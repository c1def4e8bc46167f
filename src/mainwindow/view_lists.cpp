// The list item commands of the "Список" menu. They act on box MenuBox through the box's
// own members; the box reports every change, and the Change path stores it into the
// selected entry or, with the card item selected, into the card's default value.
#include "view.h"

#include "databox.h"
#include "listvalue.h"
#include "prompts.h"

#include <QLineEdit>
#include <QStringList>

#include <cmath>
#include <limits>

namespace {
// A list counts its items in 16 bits.
constexpr int MaxItems = std::numeric_limits<qint16>::max();

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

std::optional<int> View::itemCountFrom(const QString& answer) {
    qsizetype i = 0;
    const qsizetype n = answer.size();
    while (i < n && isBlank(answer[i]))
        ++i;
    // The longest run that reads as a decimal number: sign, digits, point, digits, and an
    // exponent when digits follow it.
    QString number;
    if (i < n && (answer[i] == QLatin1Char('+') || answer[i] == QLatin1Char('-')))
        number += answer[i++];
    bool digits = false;
    while (i < n && answer[i].isDigit() && answer[i].unicode() < 128) {
        number += answer[i++];
        digits = true;
    }
    if (i < n && answer[i] == QLatin1Char('.')) {
        number += answer[i++];
        while (i < n && answer[i].isDigit() && answer[i].unicode() < 128) {
            number += answer[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < n && (answer[i] == QLatin1Char('e') || answer[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (answer[j] == QLatin1Char('+') || answer[j] == QLatin1Char('-')))
            exponent += answer[j++];
        bool expDigits = false;
        while (j < n && answer[j].isDigit() && answer[j].unicode() < 128) {
            exponent += answer[j++];
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    // Rounding follows the default mode, to nearest with halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (!ok || !std::isfinite(rounded) || rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<int>(rounded);
}

void View::onInsertItem() {
    DataBox* box = listMenuBox();
    if (!box)
        return;
    // In front of the selected item; with none selected at the end.
    box->AddItem(headNam_->text(), clampTo16(box->ListIndex().value_or(-1)));
    vorn_.Modified = true;
}

void View::onAddItems() {
    if (!listMenuBox())
        return;
    const std::optional<QString> answer = prompts_.askText(QString(), Prompts::Echo::Shown);
    if (!answer)
        return; // the dialog was closed: nothing to add
    // The box may have been retyped or removed while the dialog was open.
    DataBox* box = listMenuBox();
    if (!box)
        return;
    const std::optional<int> count = itemCountFrom(*answer);
    if (!count || (*count > 0 && box->ListCount() > MaxItems - *count)) {
        prompts_.beep(); // more items than a list can count: nothing is added
        return;
    }
    if (*count > 0) {
        // One write of the whole value: the items as the list shows them, then 001, 002...
        // Adding them one by one would rebuild the value once per item.
        QStringList items = ListValue::items(box->Data(), box->ListCount());
        items.reserve(items.size() + *count);
        for (int a = 1; a <= *count; ++a)
            items.append(Zeroes(static_cast<qint16>(a), 3));
        box->setData(ListValue::joined(items));
    }
    vorn_.Modified = true;
}

void View::onDelItems() {
    if (DataBox* box = listMenuBox()) {
        box->DelSelected();
        vorn_.Modified = true;
    }
}

void View::onCopyList() {
    if (const DataBox* box = listMenuBox())
        vorn_.ListBuffer = box->Data();
}

void View::onPasteList() {
    DataBox* box = listMenuBox();
    if (box && !vorn_.ListBuffer.isEmpty())
        box->setData(vorn_.ListBuffer);
}
