#pragma once
// The real windows for the preview: the login window with a user and the
// main window on a year and a half of generated days and sessions, after each
// kind and period, so the dashboard's texts, chart and table can be judged
// together as a user sees them.

#include <QImage>
#include <QString>
#include <functional>

namespace tempovia {

// Hands each picture to save with its file name (without extension). False
// when the temporary base folder could not be made.
bool RenderSampleWindows(const std::function<void(const QString& name, const QImage& image)>& save);

}  // namespace tempovia
