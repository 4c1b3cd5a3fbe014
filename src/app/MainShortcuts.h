#pragma once
// The name and the keyboard shortcut of each main-window area. The skin's
// buttons are pictures; these make every one reachable from the keyboard and
// known to screen readers. None of the keys is one the note field uses for
// editing on any platform.

#include <QKeySequence>
#include <QString>
#include <vector>

namespace tempovia {

struct MainShortcut {
  int area;
  QString name;  // as on the skin
  QKeySequence keys;
};

const std::vector<MainShortcut>& MainShortcuts();
// The shortcut of the tray menu's Exit.
QKeySequence ExitProgramKeys();

}  // namespace tempovia
