#include "charts/widgets/ChartTip.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "widgets/Fonts.h"

namespace tempovia {
namespace {

const QColor kFill(255, 255, 220);
const QColor kFrame(240, 210, 80);
const QColor kHeader(255, 100, 0);
const QColor kFirstLine(10, 100, 10);
const QColor kLaterLines(150, 150, 150);

QPainterPath TipShape(const QRectF& rect) {
  QPainterPath path;
  path.addRoundedRect(rect, 5, 5);  // corners of a 10 by 10 ellipse
  return path;
}

}  // namespace

CChartTip::CChartTip(QWidget* chart, int displayMs)
    : QWidget(chart, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kTipWidth, kTipHeight);
  setMask(QRegion(TipShape(QRectF(0, 0, kTipWidth, kTipHeight)).toFillPolygon().toPolygon()));
  setMouseTracking(true);
  m_timer.setSingleShot(true);
  m_timer.setInterval(displayMs);
  connect(&m_timer, &QTimer::timeout, this, [this] { HideTip(QCursor::pos()); });
}

void CChartTip::ShowTip(const QString& text, const QPoint& cursor, bool enabled) {
  if (!enabled || text.isEmpty()) return;
  if (isVisible() && text == m_text) return;
  m_text = text;
  if (!m_lastPlacement || *m_lastPlacement != cursor) {
    PlaceAt(cursor);
    m_lastPlacement = cursor;
  }
  show();
  update();
  m_timer.start();
}

void CChartTip::HideTip(const QPoint& cursor) {
  m_timer.stop();
  m_lastPlacement = cursor;
  hide();
}

void CChartTip::PlaceAt(const QPoint& cursor) {
  QScreen* screen = QGuiApplication::screenAt(cursor);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
  const Box place =
      PlaceTip(cursor.x(), cursor.y(), kTipWidth, kTipHeight, {area.x(), area.y(), area.width(), area.height()});
  move(place.x, place.y);
}

void CChartTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF all(0, 0, width(), height());
  painter.fillPath(TipShape(all), kFill);
  painter.setPen(QPen(kFrame, 2));
  painter.drawPath(TipShape(all.adjusted(1, 1, -1, -1)));

  const std::vector<std::string> lines = TipLines(m_text.toStdString());
  if (lines.empty()) return;
  painter.setFont(PixelFont(QStringLiteral("Tahoma"), 20, true));
  painter.setPen(kHeader);
  painter.drawText(QRect(6, 2, width() - 12, 24), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromStdString(lines[0]));
  painter.setFont(PixelFont(QStringLiteral("Tahoma"), 20));
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const int top = 26 * static_cast<int>(n) + 4;
    painter.setPen(n == 1 ? kFirstLine : kLaterLines);
    painter.drawText(QRect(6, top, width() - 12, 46), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(lines[n]));
  }
}

void CChartTip::mousePressEvent(QMouseEvent* event) {
  HideTip(event->globalPosition().toPoint());
}

void CChartTip::mouseMoveEvent(QMouseEvent* event) {
  PlaceAt(event->globalPosition().toPoint());
}

}  // namespace tempovia
