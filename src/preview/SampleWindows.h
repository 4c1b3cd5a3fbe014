#pragma once
// The real windows for the preview: the login window with a user and the
// main window on a year and a half of generated days and sessions, after each
// kind and period, so the dashboard's texts, chart and table can be judged
// together as a user sees them.

#include <QImage>
#include <QString>
#include <functional>

class QWidget;

namespace tempovia {

// Hands each picture to save with its file name (without extension), the
// main window as "main-<kind>" on each kind's week. withMainWindow, when
// given, gets the main window on the week's steps (the sample report takes
// its chart page from it). screenshotOnly: "main-steps" alone, the picture
// the install ships. False when the temporary base folder could not be made
// or withMainWindow failed.
bool RenderSampleWindows(const std::function<void(const QString& name, const QImage& image)>& save,
                         const std::function<bool(QWidget& mainWindow)>& withMainWindow = {},
                         bool screenshotOnly = false);

}  // namespace tempovia
