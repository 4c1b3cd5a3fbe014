#include "app/HitAreaButton.h"

namespace tempovia {

CHitAreaButton::CHitAreaButton(int area, const HitRect& r, const QString& name, const QString& shortcutText,
                               QWidget* parent)
    : QAbstractButton(parent), m_area(area) {
  setGeometry(r.left, r.top, r.Width(), r.Height());
  setText(name);
  setAccessibleName(name);
  setAccessibleDescription(shortcutText);
  setToolTip(shortcutText.isEmpty() ? name : name + QStringLiteral(" (") + shortcutText + QStringLiteral(")"));
  setFocusPolicy(Qt::NoFocus);
  // Clicks and hovering belong to the window, which tests the areas itself.
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace tempovia
