#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Types text into widget key by key. QTest::keyClicks only knows ASCII; this sends each
// character (Cyrillic too) as the text of a key press, as a keyboard layout would.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
