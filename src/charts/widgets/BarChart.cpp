#include "charts/widgets/BarChart.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include "charts/widgets/ChartPlanPainter.h"
#include "charts/widgets/ChartTip.h"

namespace tempovia {

CBarChart::CBarChart(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the image covers everything: never erase
  setMouseTracking(true);
}

CBarChart::~CBarChart() = default;

void CBarChart::Create(const QRect& rect, QWidget* parent, int id, const QString& title) {
  if (parent != nullptr && parent != parentWidget()) setParent(parent);
  setGeometry(rect);
  m_id = id;
  m_model.SetTitle(title.toStdString());
  if (m_tip == nullptr) m_tip = new CChartTip(this);
  show();
}

void CBarChart::AddBar(const std::array<double, 3>& values, const QString& tipLabel, const QString& axisLabel,
                       const std::array<Rgb, 3>& colours, bool redraw) {
  AddBar(values, tipLabel.toStdString(), axisLabel.toStdString(), colours, redraw);
}

void CBarChart::AddBar(const std::array<double, 3>& values, const std::string& tipLabel, const std::string& axisLabel,
                       const std::array<Rgb, 3>& colours, bool redraw) {
  m_model.Bars().AddBar(values, tipLabel, axisLabel, colours);
  RefreshIf(redraw);
}

void CBarChart::RemoveAllBars() {
  m_model.Bars().RemoveAll();
  Refresh();
}

void CBarChart::SetTitle(const QString& title) {
  SetTitle(title.toStdString());
}

void CBarChart::SetTitle(const std::string& title) {
  m_model.SetTitle(title);
}

void CBarChart::SetUnitLabel(const QString& text, bool redraw) {
  SetUnitLabel(text.toStdString(), redraw);
}

void CBarChart::SetUnitLabel(const std::string& text, bool redraw) {
  m_model.SetUnitLabel(text);
  RefreshIf(redraw);
}

void CBarChart::SetBkColor(Rgb colour) {
  m_model.SetBkColor(colour);
  update();
}

void CBarChart::ShowAxisLabels(bool on, bool redraw) {
  m_model.Bars().Style().axisLabels = on;
  RefreshIf(redraw);
}

void CBarChart::ShowValueLabels(int kind, bool on, bool redraw) {
  m_model.Bars().Style().valueLabelKind = kind;
  m_model.Bars().Style().valueLabels = on;
  RefreshIf(redraw);
}

void CBarChart::ShowPercent(bool on, bool redraw) {
  m_model.Bars().Style().percentLine = on;
  RefreshIf(redraw);
}

void CBarChart::Set3D(bool on, bool redraw) {
  m_model.Bars().Style().threeD = on;
  RefreshIf(redraw);
}

void CBarChart::SetIntegerValues(bool on, bool redraw) {
  m_model.Bars().Style().integerValues = on;
  RefreshIf(redraw);
}

void CBarChart::SetShaded(bool on, bool redraw) {
  m_model.Bars().Style().shaded = on;
  RefreshIf(redraw);
}

void CBarChart::SetHorizontalGrid(bool on, bool redraw) {
  m_model.SetHorizontalGrid(on);
  RefreshIf(redraw);
}

void CBarChart::ShowGrid(bool on, bool redraw) {
  m_model.ShowGrid(on);
  RefreshIf(redraw);
}

void CBarChart::ShowScale(bool on, bool redraw) {
  m_model.ShowScale(on);
  RefreshIf(redraw);
}

void CBarChart::SetGridLines(int horizontal, int vertical, bool reset, int spacing) {
  m_model.SetGridLines(horizontal, vertical, reset, spacing);
}

void CBarChart::EnableToolTips(bool on) {
  m_model.EnableToolTips(on);
}
void CBarChart::SetBarGap(int pixels) {
  m_model.Bars().Style().barGap = pixels;
}
void CBarChart::SetBarWidth(int pixels) {
  m_model.Bars().Style().barWidth = pixels;
}
void CBarChart::SetChartMode(int mode) {
  m_model.Bars().Style().mode = mode;
}

void CBarChart::SetGoalLine(double value, bool redraw) {
  m_model.SetGoalLine(value);
  RefreshIf(redraw);
}

void CBarChart::SetStretch(bool on) {
  m_model.SetStretch(on);
  update();
}

void CBarChart::Draw(const ChartPicture& picture) {
  m_model.SetPicture(picture);
  setVisible(picture.shown);
  Refresh();
}

void CBarChart::RefreshIf(bool redraw) {
  if (redraw) Refresh();
}

void CBarChart::RecreateSurface() {
  const Box draw = m_model.DrawRect(width(), height());
  if (draw.width <= 0 || draw.height <= 0) {
    m_surface = QImage();
    m_surfaceSize = QSize();
    return;
  }
  const qreal ratio = devicePixelRatioF();
  m_surface = QImage(qCeil(draw.width * ratio), qCeil(draw.height * ratio), QImage::Format_RGB32);
  m_surface.setDevicePixelRatio(ratio);
  m_surfaceSize = QSize(draw.width, draw.height);
}

bool CBarChart::SurfaceFits() const {
  const Box draw = m_model.DrawRect(width(), height());
  return m_surfaceSize == QSize(draw.width, draw.height) && m_surface.devicePixelRatio() == devicePixelRatioF();
}

void CBarChart::Refresh() {
  if (m_surface.isNull()) return;
  // More bars than before need a wider surface than the one we have; another
  // screen may have another ratio.
  if (!SurfaceFits()) RecreateSurface();
  if (m_surface.isNull()) return;
  QPainter painter(&m_surface);
  PaintChartPlan(painter, m_model.Plan(width(), height()));
  update();
}

void CBarChart::paintEvent(QPaintEvent*) {
  // The first paint, or the first on a screen of another ratio.
  if (m_surface.isNull() || m_surface.devicePixelRatio() != devicePixelRatioF()) {
    RecreateSurface();
    Refresh();
    if (m_surface.isNull()) return;
  }
  QPainter painter(this);
  if (m_model.Stretch()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_surface);
  } else {
    painter.drawImage(0, 0, m_surface);
  }
}

void CBarChart::resizeEvent(QResizeEvent*) {
  Refresh();
}

void CBarChart::mouseMoveEvent(QMouseEvent* event) {
  QPoint point = event->position().toPoint();
  if (m_model.Stretch() && !m_surface.isNull() && width() > 0 && height() > 0) {
    point = QPoint(point.x() * m_surfaceSize.width() / width(), point.y() * m_surfaceSize.height() / height());
  }
  m_tipText = QString::fromStdString(m_model.TipTextAt(point.x(), point.y(), width(), height()));
  if (m_tip == nullptr) return;
  const QPoint cursor = event->globalPosition().toPoint();
  if (m_tipText.isEmpty()) {
    m_tip->HideTip(cursor);
  } else {
    m_tip->ShowTip(m_tipText, cursor, m_model.ToolTipsOn());
  }
}

void CBarChart::leaveEvent(QEvent*) {
  m_tipText.clear();
  if (m_tip != nullptr && m_tip->isVisible()) m_tip->HideTip(QCursor::pos());
}

}  // namespace tempovia
