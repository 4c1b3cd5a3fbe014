#pragma once
// A real report of made-up data for the preview: a user with five weeks of
// days and a few sessions in a throw-away base folder, and the given window
// captured for the chart page, written through the program's own report run.

#include <QString>

class QWidget;

namespace tempovia {

// Writes the report into folder as fileName; false, saying why, when it fails.
bool WriteSampleReport(QWidget& window, const QString& folder, const QString& fileName, QString* error);

}  // namespace tempovia
