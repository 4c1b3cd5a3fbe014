#pragma once
// Moving a skinned window (no title bar) by pressing anywhere on its skin
// outside an active area: the desktop moves it where it can, which on
// Wayland is the only way; elsewhere the window follows the pointer itself.
// The login and main windows share it.

#include <QPoint>
#include <optional>

class QWidget;

namespace tempovia {

class SkinDrag {
 public:
  // A left press at a point of the window's skin (client coordinates).
  void Press(QWidget& window, QPoint at);
  // A move with these buttons held; true when it moved the window.
  bool Move(QWidget& window, QPoint at, Qt::MouseButtons buttons);
  // The button went up, or the pointer left without it: the drag is over.
  void End(QWidget& window);
  // A drag the window performs itself is under way.
  bool Dragging() const { return m_origin.has_value(); }

 private:
  std::optional<QPoint> m_origin;  // client point where a manual drag began
};

}  // namespace tempovia
