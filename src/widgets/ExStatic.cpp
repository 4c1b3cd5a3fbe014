#include "ExStatic.h"

#include <QImageReader>
#include <QPainter>

#include "PicturePlacement.h"

namespace tempovia {
namespace {

const QColor kFill(192, 192, 192);

}  // namespace

CExStatic::CExStatic(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CExStatic::LoadFromFile(const QString& path) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);  // photos from phones carry their orientation
  m_image = reader.read();
  update();
  return !m_image.isNull();
}

bool CExStatic::LoadPicture(Picture picture) {
  m_image = BuiltInPicture(picture);
  update();
  return !m_image.isNull();
}

void CExStatic::Clear() {
  m_image = QImage();
  update();
}

QRect CExStatic::PictureRect() const {
  const std::optional<Box> place = PlacePicture({0, 0, width(), height()}, m_image.width(), m_image.height());
  if (!place) return {};
  return QRect(place->x, place->y, place->width, place->height);
}

void CExStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kFill);
  const QRect target = PictureRect();
  if (target.isEmpty()) return;
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, m_image);
}

}  // namespace tempovia
