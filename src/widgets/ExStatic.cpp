#include "widgets/ExStatic.h"

#include <QPainter>

#include "skin/PicturePlacement.h"
#include "widgets/PictureFile.h"

namespace tempovia {
namespace {

const QColor kFill(192, 192, 192);

}  // namespace

CExStatic::CExStatic(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CExStatic::LoadFromFile(const QString& path) {
  m_photo = ReadPictureFile(path).image;
  m_picture.reset();
  update();
  return !m_photo.isNull();
}

void CExStatic::SetImage(const QImage& image) {
  m_photo = image;
  m_picture.reset();
  update();
}

bool CExStatic::LoadPicture(Picture picture) {
  m_photo = QImage();
  m_picture.reset();
  if (IsPicture(static_cast<int>(picture))) m_picture = picture;
  update();
  return m_picture.has_value();
}

void CExStatic::Clear() {
  m_photo = QImage();
  m_picture.reset();
  update();
}

const QImage& CExStatic::Image() const {
  return m_picture ? BuiltInPicture(*m_picture, devicePixelRatioF()) : m_photo;
}

QSize CExStatic::LogicalSize() const {
  return m_picture ? PictureSize(*m_picture) : m_photo.size();
}

QRect CExStatic::PictureRect() const {
  const QSize size = LogicalSize();
  const std::optional<Box> place = PlacePicture({0, 0, width(), height()}, size.width(), size.height());
  if (!place) return {};
  return QRect(place->x, place->y, place->width, place->height);
}

void CExStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kFill);
  const QRect target = PictureRect();
  if (target.isEmpty()) return;
  const QImage& image = Image();
  if (m_picture && target.size() == LogicalSize()) {
    // Drawn for this ratio: copied pixel for pixel.
    painter.drawImage(target.topLeft(), image);
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, image);
}

}  // namespace tempovia
