#include "report/widgets/PrntScreen.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include "report/CapturePlacement.h"

namespace tempovia {
namespace {

ScreenRect ToScreenRect(const QRect& r) {
  return ScreenRect{r.x(), r.y(), r.width(), r.height()};
}

// Wayland gives programs no say over where their windows are.
bool PlatformMovesWindows() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Centres a top-level window reaching outside the screen for as long as this
// lives, then puts it back where it was.
class CentredWhileCaptured {
 public:
  explicit CentredWhileCaptured(QWidget& window) : m_window(window) {
    QScreen* screen = window.screen();
    if (!window.isWindow() || screen == nullptr || !PlatformMovesWindows()) return;
    const ScreenRect frame = ToScreenRect(window.frameGeometry());
    if (!ReachesOutside(frame, ToScreenRect(screen->virtualGeometry()))) return;
    m_before = window.pos();
    const ScreenRect centred = CentredOn(frame, ToScreenRect(screen->availableGeometry()));
    window.move(centred.x, centred.y);
    m_moved = true;
  }
  ~CentredWhileCaptured() {
    if (m_moved) m_window.move(m_before);
  }
  CentredWhileCaptured(const CentredWhileCaptured&) = delete;
  CentredWhileCaptured& operator=(const CentredWhileCaptured&) = delete;

 private:
  QWidget& m_window;
  QPoint m_before;
  bool m_moved = false;
};

}  // namespace

QImage CPrntScreen::CaptureClientArea(QWidget& window) {
  CentredWhileCaptured centred(window);
  QImage picture = window.grab().toImage();
  if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB32);
  // JPEG has no transparency: anything the window leaves unpainted shows its
  // background colour rather than black.
  QImage opaque(picture.size(), QImage::Format_RGB32);
  opaque.setDevicePixelRatio(picture.devicePixelRatio());
  opaque.fill(window.palette().color(QPalette::Window));
  QPainter painter(&opaque);
  painter.drawImage(QPoint(0, 0), picture);
  painter.end();
  return opaque;
}

bool CPrntScreen::WriteJpeg(const QImage& picture, CaptureFile& file, QString* error) {
  bool written = false;
  {
    QFile out;
    if (out.open(file.Descriptor(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
      QImageWriter writer(&out, "jpeg");
      writer.setQuality(kJpegQuality);
      written = writer.write(picture) && out.flush();
      if (!written && error != nullptr)
        *error = writer.error() != QImageWriter::UnknownError ? writer.errorString() : out.errorString();
    } else if (error != nullptr) {
      *error = out.errorString();
    }
  }
  if (!file.CloseDescriptor() && written) {
    written = false;
    if (error != nullptr) *error = QStringLiteral("The picture could not be written completely");
  }
  return written;
}

std::unique_ptr<CaptureFile> CPrntScreen::CaptureToFile(QWidget& window, QString* error) {
  std::string reason;
  std::unique_ptr<CaptureFile> file = CaptureFile::Create(&reason);
  if (!file) {
    if (error != nullptr) *error = QString::fromStdString(reason);
    return nullptr;
  }
  if (!WriteJpeg(CaptureClientArea(window), *file, error)) return nullptr;
  return file;
}

}  // namespace tempovia
