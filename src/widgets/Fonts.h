#pragma once
// The skins were laid out for Arial and Tahoma, which this platform does not
// have. Their metric-compatible stand-ins are substituted once at start-up, so
// every font named "Arial" or "Tahoma" anywhere in the program measures alike.

#include <QFont>
#include <QString>

namespace tempovia {

// Arial -> Liberation Sans (same metrics), Tahoma -> DejaVu Sans Condensed
// (the closest installed face in width and x-height). Safe to call again.
void InstallFontSubstitutes();

// A font by its character height in pixels, the way the skins give sizes.
QFont PixelFont(const QString& family, int pixelSize, bool bold = false);

}  // namespace tempovia
