#pragma once
// The skin's buttons are parts of a picture. Each active one also gets one of
// these over it, invisible and letting the mouse through, so assistive
// technology finds a named button there that can be pressed.

#include <QAbstractButton>

#include "skin/SkinLayout.h"

namespace tempovia {

class CHitAreaButton : public QAbstractButton {
 public:
  CHitAreaButton(int area, const HitRect& rect, const QString& name, const QString& shortcutText, QWidget* parent);
  int Area() const { return m_area; }

 protected:
  void paintEvent(QPaintEvent*) override {}

 private:
  int m_area;
};

}  // namespace tempovia
