#include "TwoScreens.h"

#include <QGuiApplication>

namespace tempovia::test {

QScreen* ScreenWithRatio(qreal ratio) {
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen->devicePixelRatio() == ratio) return screen;
  }
  return nullptr;
}

bool PutOnScreen(QWidget& widget, qreal ratio) {
  QScreen* screen = ScreenWithRatio(ratio);
  if (screen == nullptr) return false;
  widget.setScreen(screen);
  return widget.devicePixelRatioF() == ratio;
}

}  // namespace tempovia::test
