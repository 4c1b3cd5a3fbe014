#pragma once
// For tests whose main is QtTwoScreenTestMain.cpp: the offscreen platform with
// two screens side by side, the first at device pixel ratio 1 and the second
// at ratio 2, as a laptop beside a high-resolution monitor.

#include <QScreen>
#include <QWidget>

namespace tempovia::test {

// The screen of that ratio (1 or 2); null when the test runs under another main.
QScreen* ScreenWithRatio(qreal ratio);

// Puts a top-level widget on the screen of that ratio, shown or not; false
// when there is no such screen or the widget did not take its ratio.
bool PutOnScreen(QWidget& widget, qreal ratio);

}  // namespace tempovia::test
