// The small pictures: the photo placeholder, the calendar's day picture and
// mask, the year arrows, the application icon and the progress animation.
#include <QLinearGradient>
#include <QtMath>

#include "widgets/ArtKit.h"
#include "widgets/Fonts.h"

namespace tempovia::art {
namespace {

constexpr int kProgressWidth = 300;
constexpr int kProgressHeight = 64;
constexpr int kProgressFrames = 12;

void DrawWatch(QPainter& painter, const QRectF& body) {
  const QColor strap(70, 86, 106);
  painter.setPen(Qt::NoPen);
  painter.setBrush(strap);
  const double strapWidth = body.width() * 0.56;
  painter.drawRoundedRect(
      QRectF(body.center().x() - strapWidth / 2, body.top() - body.height() * 0.32, strapWidth, body.height() * 1.64),
      4, 4);
  painter.setBrush(kInk);
  painter.drawRoundedRect(body, body.width() * 0.22, body.width() * 0.22);
  const QRectF screen =
      body.adjusted(body.width() * 0.14, body.height() * 0.14, -body.width() * 0.14, -body.height() * 0.14);
  painter.setBrush(QColor(36, 120, 96));
  painter.drawRoundedRect(screen, 3, 3);
  painter.setPen(QPen(QColor(190, 255, 220), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const double y = screen.center().y();
  const double x = screen.left();
  const double w = screen.width();
  painter.drawPolyline(QPolygonF({QPointF(x + w * 0.1, y), QPointF(x + w * 0.35, y), QPointF(x + w * 0.45, y - 6),
                                  QPointF(x + w * 0.58, y + 5), QPointF(x + w * 0.66, y), QPointF(x + w * 0.9, y)}));
}

void DrawComputer(QPainter& painter, const QRectF& screen) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kInk);
  painter.drawRoundedRect(screen, 3, 3);
  painter.setBrush(QColor(222, 232, 244));
  painter.drawRect(screen.adjusted(3, 3, -3, -3));
  // A tiny bar chart on the screen.
  const Rgb colours[] = {kStepsColour, kDistanceColour, kCaloriesColour, kHeartRateColour};
  const double heights[] = {0.45, 0.7, 0.55, 0.85};
  const QRectF inner = screen.adjusted(8, 7, -8, -6);
  const double bar = inner.width() / 7;
  for (int i = 0; i < 4; ++i) {
    const double h = inner.height() * heights[i];
    painter.setBrush(ToQColor(colours[i]));
    painter.drawRect(QRectF(inner.left() + i * bar * 1.9, inner.bottom() - h, bar, h));
  }
  painter.setBrush(QColor(70, 86, 106));
  painter.drawRoundedRect(QRectF(screen.left() - 6, screen.bottom(), screen.width() + 12, 5), 2, 2);
}

}  // namespace

QImage DrawPhotoPlaceholder(qreal ratio) {
  QImage image = NewCanvas(kPhotoPlaceholderWidth, kPhotoPlaceholderHeight, Qt::white, ratio);
  QPainter painter(&image);
  Prepare(painter);
  const QRectF all(0, 0, kPhotoPlaceholderWidth, kPhotoPlaceholderHeight);
  QLinearGradient gradient(all.topLeft(), all.bottomLeft());
  gradient.setColorAt(0, QColor(232, 236, 241));
  gradient.setColorAt(1, QColor(208, 215, 224));
  painter.fillRect(all, gradient);
  const QColor figure(160, 172, 188);
  painter.setPen(Qt::NoPen);
  painter.setBrush(figure);
  painter.drawEllipse(QPointF(72.5, 62), 27, 29);
  QPainterPath shoulders;
  shoulders.moveTo(14, 150);
  shoulders.cubicTo(16, 116, 40, 100, 72.5, 100);
  shoulders.cubicTo(105, 100, 129, 116, 131, 150);
  shoulders.closeSubpath();
  painter.drawPath(shoulders);
  DrawTextIn(painter, QRectF(0, 151, kPhotoPlaceholderWidth, 22), Qt::AlignCenter, QStringLiteral("No photo"),
             PixelFont(QStringLiteral("Tahoma"), 12, true), QColor(112, 124, 140));
  return image;
}

QImage DrawCalendarDay(bool mask, qreal ratio) {
  // Drawn the way the calendar combines them: the mask ANDed onto the day
  // (white keeps it), then the picture ORed over it (black adds nothing).
  QImage image = NewCanvas(kDayPictureWidth, kDayPictureHeight, mask ? Qt::white : Qt::black, ratio);
  QPainter painter(&image);
  Prepare(painter);
  const QPainterPath print = ShoePrintPath();
  const QPainterPath left = QTransform().translate(3, 50).rotate(-6).scale(0.78, 0.8).map(print);
  const QPainterPath right = QTransform().translate(37, 2).rotate(6).scale(0.78, 0.8).map(print);
  for (const QPainterPath& path : {left, right}) {
    if (mask) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(Qt::black);
    } else {
      painter.setPen(QPen(QColor(196, 140, 0), 2));
      painter.setBrush(ToQColor(kStepsColour));
    }
    painter.drawPath(path);
    // The pen reaches one pixel outside the shape; the mask must cover it too.
    if (mask) painter.strokePath(path, QPen(Qt::black, 2));
  }
  return image;
}

QImage DrawYearArrow(bool next, qreal ratio) {
  QImage image = NewCanvas(kYearArrowWidth, kYearArrowHeight, ToQColor(kCalendarBackground), ratio);
  {
    QPainter painter(&image);
    Prepare(painter);
    // Centred in the top 36 rows: the part of the picture that answers to clicks.
    const QPolygonF triangle({QPointF(15.5, 7), QPointF(5.5, 18), QPointF(15.5, 29)});
    painter.setPen(QPen(QColor(36, 58, 84), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(52, 78, 108));
    painter.drawPolygon(triangle);
  }
  // Mirrored pixel for pixel, so the pair looks exactly alike.
  return next ? image.mirrored(true, false) : image;
}

QImage DrawAppIcon(int size) {
  QImage image = NewTransparent(size, size, 1);
  QPainter painter(&image);
  Prepare(painter);
  const double s = size;
  const QRectF all(0, 0, s, s);
  QLinearGradient gradient(all.topLeft(), all.bottomRight());
  gradient.setColorAt(0, QColor(44, 66, 94));
  gradient.setColorAt(1, QColor(18, 30, 46));
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawRoundedRect(all.adjusted(s * 0.02, s * 0.02, -s * 0.02, -s * 0.02), s * 0.22, s * 0.22);
  // A dial of the five measure colours.
  const Rgb colours[] = {kStepsColour, kDistanceColour, kCaloriesColour, kHeartRateColour, kExerciseColour};
  const double radius = s * 0.32;
  const QRectF ring(s / 2 - radius, s / 2 - radius, 2 * radius, 2 * radius);
  for (int i = 0; i < 5; ++i) {
    painter.setPen(QPen(ToQColor(colours[i]), std::max(1.5, s * 0.085), Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(ring, static_cast<int>((90 - i * 72 - 4) * 16), static_cast<int>(-64 * 16));
  }
  const double side = s * 0.34;
  DrawMotif(painter, ChartKind::HeartRate, QRectF(s / 2 - side / 2, s / 2 - side / 2, side, side), Qt::white,
            ToQColor(kHeartRateColour));
  return image;
}

std::vector<QImage> DrawProgressFrames(qreal ratio) {
  std::vector<QImage> frames;
  const Rgb colours[] = {kStepsColour, kDistanceColour, kCaloriesColour, kHeartRateColour, kExerciseColour};
  constexpr int kDots = 9;
  for (int frame = 0; frame < kProgressFrames; ++frame) {
    QImage image = NewTransparent(kProgressWidth, kProgressHeight, ratio);
    QPainter painter(&image);
    Prepare(painter);
    DrawWatch(painter, QRectF(26, 18, 30, 30));
    DrawComputer(painter, QRectF(226, 12, 56, 38));
    // Data travelling from the watch to the computer: each dot brightens as
    // the wave passes it.
    for (int d = 0; d < kDots; ++d) {
      const double position = frame * (kDots + 2.0) / kProgressFrames - 1;
      const double glow = std::max(0.0, 1 - std::abs(d - position) / 1.6);
      QColor colour = ToQColor(colours[d % 5]);
      colour.setAlphaF(0.25 + 0.75 * glow);
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour);
      painter.drawEllipse(QPointF(80 + d * 16, 33), 3.5 + 2 * glow, 3.5 + 2 * glow);
    }
    frames.push_back(image);
  }
  return frames;
}

}  // namespace tempovia::art
