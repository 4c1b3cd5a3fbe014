#pragma once
// The dialogs of the users layer with a sample user, for the preview: the
// record editor in both modes and unit systems, the settings and the password
// confirmation.

#include <QString>
#include <functional>

class QWidget;

namespace tempovia {

// Hands each dialog, laid out and shown offscreen, to save with a file name.
// False when the sample user could not be made.
bool RenderUserDialogs(const std::function<void(const QString& name, QWidget& dialog)>& save);

}  // namespace tempovia
