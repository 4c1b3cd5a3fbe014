#include "WindowInput.h"

#include <QTest>

namespace tempovia::testing {

void KeyClick(const QPointer<QWindow>& window, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
  for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    if (window.isNull()) return;
    qt_handleKeyEvent(window, type, key, modifiers, text);
  }
}

void LetterClick(const QPointer<QWindow>& window, char letter, Qt::KeyboardModifiers modifiers) {
  KeyClick(window, Qt::Key(Qt::Key_A + (letter - 'a')), QString(QLatin1Char(letter)), modifiers);
}

void TypeText(const QPointer<QWindow>& window, const QString& text) {
  for (const QChar c : text) KeyClick(window, Qt::Key(0), QString(c));
}

void MouseClicks(const QPointer<QWindow>& window, Qt::MouseButton button, QPoint point, int clicks) {
  for (int i = 0; i < clicks; ++i) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      if (window.isNull()) return;
      QTest::lastMouseTimestamp += 1;
      QTestPrivate::qtestMouseButtons.setFlag(button, type == QEvent::MouseButtonPress);
      qt_handleMouseEvent(window, point, window->mapToGlobal(QPointF(point)), QTestPrivate::qtestMouseButtons, button,
                          type, Qt::NoModifier, QTest::lastMouseTimestamp);
    }
  }
  // The next click is a click of its own.
  QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
}

}  // namespace tempovia::testing
