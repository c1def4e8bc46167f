#include "listcommands.h"

#include "cardboxes.h"
#include "databox.h"
#include "designertexts.h"
#include "listvalue.h"
#include "prompts.h"
#include "viewprocedures.h"
#include "viewtexts.h"
#include "vornhistory.h"

#include <QLineEdit>
#include <QMenu>
#include <QStringList>

#include <cmath>
#include <limits>

namespace {
// A list counts its items in 16 bits.
constexpr int MaxItems = std::numeric_limits<qint16>::max();

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

ListCommands::ListCommands(QMenu* menu, QLineEdit* headNam, Vorn& vorn, Prompts& prompts,
                           CardBoxes& boxes, VornHistory& history, ViewProcedures& view)
    : QObject(menu), headNam_(headNam), vorn_(vorn), prompts_(prompts), boxes_(boxes),
      history_(history), view_(view) {
    setObjectName(QStringLiteral("ListCommands"));
    // Each command is one step of the history.
    const auto add = [this, menu](const char* name, const QString& caption, const QString& stepName,
                                  auto run) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, [this, stepName, run] {
            const VornHistory::Step step(history_, stepName);
            run();
        });
    };
    add("mInsert", DesignerText::Insert, StepText::InsertItem, [this] { onInsertItem(); });
    add("mAddN", DesignerText::AddN, StepText::AddItems, [this] { onAddItems(); });
    add("mDelItems", DesignerText::DelItems, StepText::DelItems, [this] { onDelItems(); });
    add("mCopyList", DesignerText::CopyList, StepText::CopyList, [this] {
        if (const DataBox* box = listBox())
            listBuffer_ = box->Data();
    });
    add("mPasteList", DesignerText::PasteList, StepText::PasteList, [this] { onPasteList(); });
}

std::optional<int> ListCommands::itemCountFrom(const QString& answer) {
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
    while (i < n && isDigit(answer[i])) {
        number += answer[i++];
        digits = true;
    }
    if (i < n && answer[i] == QLatin1Char('.')) {
        number += answer[i++];
        while (i < n && isDigit(answer[i])) {
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
        while (j < n && isDigit(answer[j])) {
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

DataBox* ListCommands::listBox() const {
    if (menuBox_ < 0 || menuBox_ >= vorn_.usedBoxes() || !vorn_.Unlocked)
        return nullptr;
    DataBox* box = boxes_.box(menuBox_);
    return box && box->BoxType() == BoxKind::List ? box : nullptr;
}

void ListCommands::store(const DataBox* box) {
    vorn_.storeValue(view_.listIndex(), menuBox_ + 1, box->Data());
}

void ListCommands::onInsertItem() {
    if (DataBox* box = listBox()) {
        // In front of the selected item; with none selected at the end.
        box->AddItem(headNam_->text(), clampTo16(box->ListIndex().value_or(-1)));
        store(box);
    }
}

void ListCommands::onAddItems() {
    if (!listBox())
        return;
    const std::optional<QString> answer = prompts_.askText(QString(), Prompts::Echo::Shown);
    if (!answer)
        return; // the dialog was closed: nothing to add
    // The box may have been retyped or removed while the dialog was open.
    DataBox* box = listBox();
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
            items.append(Zeroes(qint16(a), 3));
        box->setData(ListValue::joined(items));
    }
    store(box);
}

void ListCommands::onDelItems() {
    if (DataBox* box = listBox()) {
        box->DelSelected();
        store(box);
    }
}

void ListCommands::onPasteList() {
    DataBox* box = listBox();
    if (box && !listBuffer_.isEmpty())
        box->setData(listBuffer_);
}
