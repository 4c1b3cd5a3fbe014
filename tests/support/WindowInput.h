#pragma once

// Input to a real window as a window system gives it: one event at a time,
// each handled before the next, with the event loop running only where the
// program runs it (a dialog's or a menu's). QTest's own helpers run the
// loop after every press and release, which nests a driver that runs from
// the loop inside itself. Every press and release first checks that the
// window is still there: a press may open a dialog whose loop closes and
// deletes it.

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWindow>

namespace tempovia::testing {

void KeyClick(const QPointer<QWindow>& window, Qt::Key key, const QString& text = {},
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A lower-case letter, with modifiers (Alt for a mnemonic, Ctrl for editing).
void LetterClick(const QPointer<QWindow>& window, char letter, Qt::KeyboardModifiers modifiers);
// Each character as a key with that text.
void TypeText(const QPointer<QWindow>& window, const QString& text);
// One click, or two in quick succession (a double click), at a point of the
// window in its own coordinates.
void MouseClicks(const QPointer<QWindow>& window, Qt::MouseButton button, QPoint point, int clicks = 1);

}  // namespace tempovia::testing
