#pragma once
// The picture of a window's client area that the report's chart page shows,
// written as a JPEG to a private temporary file.
//
// The window is grabbed from itself: it renders its own client area, so the
// picture is whole and exact even where the window lies partly off the
// screen or under other windows. Nothing is read back from the screen, which
// makes the foreground-window lookup, the repaint before the copy and the
// clipping to the screen unnecessary. A window reaching outside the screen is
// still centred while it is captured and put back afterwards, where the
// platform lets a program move its windows.

#include <QImage>
#include <QString>
#include <memory>

#include "report/CaptureFile.h"

class QWidget;

namespace tempovia {

class CPrntScreen {
 public:
  // High enough that the skin's small white-on-colour texts stay crisp on
  // the chart page, where the picture is shown at about 107 dots per inch.
  static constexpr int kJpegQuality = 95;

  CPrntScreen() = default;
  virtual ~CPrntScreen() = default;
  CPrntScreen(const CPrntScreen&) = delete;
  CPrntScreen& operator=(const CPrntScreen&) = delete;

  // The client area as an opaque picture, one pixel per device pixel (a
  // 1000 x 709 client gives 1000 x 709 at a device pixel ratio of 1).
  QImage CaptureClientArea(QWidget& window);
  // The client area in a new private temporary JPEG that goes with the
  // returned owner; nullptr, saying why in *error, when it cannot be written.
  std::unique_ptr<CaptureFile> CaptureToFile(QWidget& window, QString* error = nullptr);

  // Writes a picture as JPEG to the capture file's descriptor and closes it.
  static bool WriteJpeg(const QImage& picture, CaptureFile& file, QString* error = nullptr);
};

}  // namespace tempovia
