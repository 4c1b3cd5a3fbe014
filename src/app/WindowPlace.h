#pragma once
// What the login and main windows share about their place on the desktop:
// the tray icon each owns (one tip, icon and menu) and how each goes out of
// sight and comes back.

class QWidget;

namespace tempovia {

class CTrayNotifyIcon;

// Adds the window's tray icon; false where the desktop has no notification
// area (the window must then never hide).
bool CreateWindowTray(CTrayNotifyIcon& tray, QWidget& window);

// Hides the window. A minimised one is first made normal, once the minimise
// has been handled, so that it comes back normal from the tray; brought
// forward before then, it is not hidden at all.
void HideWindow(QWidget& window);

// Shown, normal, raised and active.
void BringWindowForward(QWidget& window);

}  // namespace tempovia
