// The sports pictures on the right of each skin, drawn as flat white shapes.
#include <QLinearGradient>

#include "widgets/ArtKit.h"

namespace tempovia::art {
namespace {

// Every motif is designed in a 100 by 100 box.
void MapToBox(QPainter& painter, const QRectF& box) {
  const double side = std::min(box.width(), box.height());
  painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
  painter.scale(side / 100.0, side / 100.0);
}

QPen Stroke(const QColor& colour, double width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Footprints(QPainter& painter, const QColor& ink) {
  const QPainterPath print = ShoePrintPath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  // A left and a right print, one stride apart.
  painter.drawPath(QTransform().translate(12, 28).rotate(-10).scale(0.72, 0.72).map(print));
  painter.drawPath(QTransform().translate(58, 0).rotate(10).scale(-0.72, 0.72).translate(-40, 0).map(print));
}

void Flame(QPainter& painter, const QColor& ink, const QColor& accent) {
  QPainterPath outer;
  outer.moveTo(50, 2);
  outer.cubicTo(58, 22, 86, 36, 86, 64);
  outer.cubicTo(86, 86, 70, 98, 50, 98);
  outer.cubicTo(30, 98, 14, 86, 14, 64);
  outer.cubicTo(14, 48, 22, 38, 30, 28);
  outer.cubicTo(31, 40, 36, 47, 43, 50);
  outer.cubicTo(40, 34, 42, 16, 50, 2);
  outer.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawPath(outer);
  QPainterPath inner;
  inner.moveTo(51, 46);
  inner.cubicTo(58, 58, 70, 66, 68, 80);
  inner.cubicTo(67, 90, 60, 95, 50, 95);
  inner.cubicTo(40, 95, 33, 89, 33, 80);
  inner.cubicTo(33, 70, 44, 62, 51, 46);
  inner.closeSubpath();
  painter.setBrush(accent);
  painter.drawPath(inner);
}

void HeartBeat(QPainter& painter, const QColor& ink, const QColor& accent) {
  QPainterPath heart;
  heart.moveTo(50, 92);
  heart.cubicTo(22, 72, 4, 54, 4, 33);
  heart.cubicTo(4, 17, 16, 6, 30, 6);
  heart.cubicTo(40, 6, 47, 12, 50, 21);
  heart.cubicTo(53, 12, 60, 6, 70, 6);
  heart.cubicTo(84, 6, 96, 17, 96, 33);
  heart.cubicTo(96, 54, 78, 72, 50, 92);
  heart.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawPath(heart);
  const QPolygonF trace({QPointF(-6, 50), QPointF(26, 50), QPointF(33, 38), QPointF(41, 64), QPointF(50, 22),
                         QPointF(58, 60), QPointF(64, 46), QPointF(69, 50), QPointF(106, 50)});
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Stroke(ink, 4.5));
  painter.drawPolyline(trace);
  painter.save();
  painter.setClipPath(heart);
  painter.setPen(Stroke(accent, 4.5));
  painter.drawPolyline(trace);
  painter.restore();
}

void Route(QPainter& painter, const QColor& ink, const QColor& accent) {
  QPainterPath road;
  road.moveTo(14, 104);
  road.cubicTo(10, 76, 84, 84, 80, 58);
  road.cubicTo(76, 36, 28, 50, 30, 30);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Stroke(ink, 15));
  painter.drawPath(road);
  QPen dashes = Stroke(accent, 2.2);
  dashes.setCapStyle(Qt::FlatCap);
  dashes.setDashPattern({3, 3});
  painter.setPen(dashes);
  painter.drawPath(road);
  // The pin at the end of the way.
  QPainterPath pin;
  pin.moveTo(30, 30);
  pin.cubicTo(22, 20, 17, 14, 17, 8);
  pin.arcTo(QRectF(17, -5, 26, 26), 180, -180);
  pin.cubicTo(43, 14, 38, 20, 30, 30);
  pin.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawPath(pin);
  painter.setBrush(accent);
  painter.drawEllipse(QPointF(30, 8), 5, 5);
}

void Walker(QPainter& painter, const QColor& ink) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawEllipse(QPointF(58, 12), 9, 9);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Stroke(ink, 9));
  painter.drawLine(QPointF(55, 27), QPointF(49, 56));                                    // body
  painter.drawPolyline(QPolygonF({QPointF(54, 32), QPointF(41, 43), QPointF(36, 55)}));  // back arm
  painter.drawPolyline(QPolygonF({QPointF(54, 32), QPointF(66, 44), QPointF(75, 47)}));  // front arm
  painter.drawPolyline(QPolygonF({QPointF(49, 57), QPointF(38, 74), QPointF(28, 90)}));  // back leg
  painter.drawPolyline(QPolygonF({QPointF(49, 57), QPointF(60, 75), QPointF(63, 93)}));  // front leg
  painter.drawLine(QPointF(63, 93), QPointF(71, 93));
  painter.setPen(Stroke(ink, 4));
  for (const auto& [y, from] : {std::pair{36.0, 14.0}, std::pair{50.0, 8.0}, std::pair{64.0, 14.0}}) {
    painter.drawLine(QPointF(from, y), QPointF(from + 14, y));
  }
}

}  // namespace

QPainterPath ShoePrintPath() {
  QPainterPath print;
  // Forefoot and toe: a rounded, slightly lopsided oval.
  print.moveTo(20, 2);
  print.cubicTo(33, 2, 40, 16, 39, 32);
  print.cubicTo(38, 46, 33, 56, 31, 62);
  print.lineTo(9, 62);
  print.cubicTo(6, 54, 1, 42, 1, 30);
  print.cubicTo(1, 13, 9, 2, 20, 2);
  print.closeSubpath();
  // Heel, separated by the arch.
  print.addRoundedRect(QRectF(8, 69, 23, 29), 11, 11);
  return print;
}

void DrawMotif(QPainter& painter, ChartKind kind, const QRectF& box, const QColor& ink, const QColor& accent) {
  painter.save();
  MapToBox(painter, box);
  switch (kind) {
    case ChartKind::Steps:
      Footprints(painter, ink);
      break;
    case ChartKind::Calories:
      Flame(painter, ink, accent);
      break;
    case ChartKind::HeartRate:
      HeartBeat(painter, ink, accent);
      break;
    case ChartKind::Distance:
      Route(painter, ink, accent);
      break;
    case ChartKind::ExerciseWalking:
      Walker(painter, ink);
      break;
  }
  painter.restore();
}

}  // namespace tempovia::art
