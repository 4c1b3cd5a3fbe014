#include "widgets/ArtKit.h"

#include <QLinearGradient>
#include <QtMath>
#include <algorithm>

#include "widgets/Fonts.h"

namespace tempovia::art {

const ButtonLook kDarkButton{QColor(58, 80, 104), QColor(40, 57, 76), QColor(30, 44, 60), QColor(255, 255, 255)};
const ButtonLook kLightButton{QColor(250, 251, 253), QColor(232, 237, 243), QColor(150, 164, 182), kInk};
const ButtonLook kAccentButton{QColor(255, 170, 64), QColor(238, 128, 20), QColor(200, 104, 10), QColor(255, 255, 255)};

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return std::clamp(static_cast<int>(x + (y - x) * t + 0.5), 0, 255); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
                channel(a.alpha(), b.alpha()));
}

namespace {

QImage NewImage(int width, int height, QImage::Format format, qreal ratio) {
  // Rounded up, so a fractional ratio never leaves the last logical row undrawn.
  QImage image(qCeil(width * ratio), qCeil(height * ratio), format);
  image.setDevicePixelRatio(ratio);
  return image;
}

}  // namespace

QImage NewCanvas(int width, int height, const QColor& fill, qreal ratio) {
  QImage image = NewImage(width, height, QImage::Format_RGB32, ratio);
  image.fill(fill);
  return image;
}

QImage NewTransparent(int width, int height, qreal ratio) {
  QImage image = NewImage(width, height, QImage::Format_ARGB32_Premultiplied, ratio);
  image.fill(Qt::transparent);
  return image;
}

void Prepare(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QRectF Inside(const HitRect& rect, double inset) {
  return QRectF(rect.left + inset, rect.top + inset, rect.Width() - 2 * inset, rect.Height() - 2 * inset);
}

QRectF ToRectF(const Box& box) {
  return QRectF(box.x, box.y, box.width, box.height);
}

void RoundedFill(QPainter& painter, const QRectF& rect, double radius, const QBrush& brush, const QPen& pen) {
  painter.save();
  painter.setPen(pen);
  painter.setBrush(brush);
  // A pen straddles the outline; keep it inside the rectangle.
  const double half = pen.style() == Qt::NoPen ? 0 : pen.widthF() / 2;
  painter.drawRoundedRect(rect.adjusted(half, half, -half, -half), radius, radius);
  painter.restore();
}

void DrawTextIn(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QFont& font,
                const QColor& colour) {
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(rect, flags, text);
  painter.restore();
}

void DrawCard(QPainter& painter, const QRectF& rect) {
  RoundedFill(painter, rect, 8, kCard, QPen(kCardBorder, 1));
}

void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour) {
  if (glyph == Glyph::None) return;
  painter.save();
  painter.translate(box.topLeft());
  painter.scale(box.width() / 16.0, box.height() / 16.0);
  QPen pen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::Upload:  // a watch sending its data up
      painter.drawRoundedRect(QRectF(4.5, 8, 7, 7), 1.5, 1.5);
      painter.drawLine(QPointF(8, 1.2), QPointF(8, 6));
      painter.drawPolyline(QPolygonF({QPointF(5.4, 3.6), QPointF(8, 1.2), QPointF(10.6, 3.6)}));
      painter.drawPoint(QPointF(8, 11.5));
      break;
    case Glyph::Print:
      painter.drawRect(QRectF(4.5, 1.5, 7, 4));
      painter.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.2, 1.2);
      painter.drawRect(QRectF(4.5, 9.5, 7, 5));
      break;
    case Glyph::Calendar:
      painter.drawRoundedRect(QRectF(1.5, 3, 13, 11.5), 1.5, 1.5);
      painter.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
      painter.drawLine(QPointF(5, 1), QPointF(5, 4.5));
      painter.drawLine(QPointF(11, 1), QPointF(11, 4.5));
      painter.setBrush(colour);
      painter.setPen(Qt::NoPen);
      for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) painter.drawRect(QRectF(3.6 + c * 3.3, 8.3 + r * 3, 1.8, 1.8));
      }
      break;
    case Glyph::Export:
      painter.drawPolyline(QPolygonF({QPointF(9, 3), QPointF(2, 3), QPointF(2, 14), QPointF(9, 14)}));
      painter.drawLine(QPointF(6, 8.5), QPointF(14.5, 8.5));
      painter.drawPolyline(QPolygonF({QPointF(11.5, 5.5), QPointF(14.5, 8.5), QPointF(11.5, 11.5)}));
      break;
    case Glyph::Import:
      painter.drawPolyline(QPolygonF({QPointF(7, 3), QPointF(14, 3), QPointF(14, 14), QPointF(7, 14)}));
      painter.drawLine(QPointF(1.5, 8.5), QPointF(10, 8.5));
      painter.drawPolyline(QPolygonF({QPointF(7, 5.5), QPointF(10, 8.5), QPointF(7, 11.5)}));
      break;
    case Glyph::Setup: {  // a gear
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour);
      QPainterPath gear;
      gear.addEllipse(QPointF(8, 8), 5, 5);
      for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.3, -7.4, 2.6, 3.4));
        gear = gear.united(QTransform().translate(8, 8).rotate(45.0 * i).map(tooth));
      }
      QPainterPath hole;
      hole.addEllipse(QPointF(8, 8), 2.2, 2.2);
      painter.drawPath(gear.subtracted(hole));
      break;
    }
    case Glyph::Exit:  // the power symbol
      painter.drawArc(QRectF(2, 2.5, 12, 12), 120 * 16, 300 * 16);
      painter.drawLine(QPointF(8, 1), QPointF(8, 7.5));
      break;
    case Glyph::Left:
    case Glyph::Right:
    case Glyph::Up:
    case Glyph::Down: {
      pen.setWidthF(2.4);
      painter.setPen(pen);
      QPolygonF chevron({QPointF(10, 3), QPointF(5, 8), QPointF(10, 13)});
      const double angle = glyph == Glyph::Left ? 0 : glyph == Glyph::Up ? 90 : glyph == Glyph::Right ? 180 : 270;
      chevron = QTransform().translate(8, 8).rotate(angle).translate(-8, -8).map(chevron);
      painter.drawPolyline(chevron);
      break;
    }
    case Glyph::None:
      break;
  }
  painter.restore();
}

void DrawButton(QPainter& painter, const HitRect& rect, const QString& text, const ButtonLook& look, Glyph glyph,
                int fontPixels) {
  const QRectF face = Inside(rect, 1);
  QLinearGradient gradient(face.topLeft(), face.bottomLeft());
  gradient.setColorAt(0, look.top);
  gradient.setColorAt(1, look.bottom);
  const double radius = std::min(6.0, face.height() / 2);
  RoundedFill(painter, face, radius, gradient, QPen(look.border, 1));
  // A faint highlight along the top edge gives the face some depth.
  painter.save();
  painter.setPen(QPen(Mix(look.top, Qt::white, 0.25), 1));
  painter.drawLine(QPointF(face.left() + radius, face.top() + 1.5), QPointF(face.right() - radius, face.top() + 1.5));
  painter.restore();

  const QFont font = PixelFont(QStringLiteral("Tahoma"), fontPixels, true);
  if (text.isEmpty()) {
    const double side = std::min(face.width(), face.height()) * 0.6;
    DrawGlyph(painter, glyph, QRectF(face.center().x() - side / 2, face.center().y() - side / 2, side, side),
              look.text);
    return;
  }
  const QFontMetricsF metrics(font);
  const double glyphSide = glyph == Glyph::None ? 0 : std::round(face.height() * 0.46);
  const double gap = glyph == Glyph::None ? 0 : 7;
  const double width = glyphSide + gap + metrics.horizontalAdvance(text);
  const double left = face.center().x() - width / 2;
  DrawGlyph(painter, glyph, QRectF(left, face.center().y() - glyphSide / 2, glyphSide, glyphSide), look.text);
  DrawTextIn(painter, QRectF(left + glyphSide + gap, face.top(), width, face.height()),
             Qt::AlignLeft | Qt::AlignVCenter, text, font, look.text);
}

}  // namespace tempovia::art
