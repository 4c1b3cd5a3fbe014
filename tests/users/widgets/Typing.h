#pragma once
// Typing into a widget as a keyboard does, one key event per character, for
// any character (QTest::keyClicks knows only ASCII).

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace tempovia::test {

inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

}  // namespace tempovia::test
