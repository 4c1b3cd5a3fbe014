#pragma once
// The calendar dialog for the preview: a month with steps, notes, today and
// a selection, and the first and last months the calendar allows, over a
// generated history in a temporary step file.

#include <QImage>
#include <QString>
#include <functional>

namespace tempovia {

// Hands each picture to save with its file name (without extension).
// False when the temporary step file could not be made.
bool RenderSampleCalendars(const std::function<void(const QString& name, const QImage& image)>& save);

}  // namespace tempovia
