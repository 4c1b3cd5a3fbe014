#include "widgets/SkinDrag.h"

#include <QWidget>
#include <QWindow>

namespace tempovia {

void SkinDrag::Press(QWidget& window, QPoint at) {
  window.setCursor(Qt::SizeAllCursor);
  if (window.windowHandle() != nullptr && window.windowHandle()->startSystemMove()) return;
  m_origin = at;
}

bool SkinDrag::Move(QWidget& window, QPoint at, Qt::MouseButtons buttons) {
  if (m_origin && (buttons & Qt::LeftButton)) {
    window.move(window.pos() + at - *m_origin);
    return true;
  }
  m_origin.reset();
  return false;
}

void SkinDrag::End(QWidget& window) {
  m_origin.reset();
  window.setCursor(Qt::ArrowCursor);
}

}  // namespace tempovia
