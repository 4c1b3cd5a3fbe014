#include "calendar/widgets/CalendarCtrl.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "calendar/CalendarLook.h"
#include "widgets/Fonts.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

// A green disc with a white tick: the day met the daily step goal.
void PaintGoalBadge(QPainter& painter, const QRect& box) {
  if (box.width() < 4 || box.height() < 4) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ToQColor(kCalendarGoalBadge));
  painter.drawEllipse(QRectF(box));
  QPen tick(Qt::white, std::max(1.5, box.width() / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(tick);
  const QRectF b(box);
  const QPointF points[] = {{b.left() + b.width() * 0.27, b.top() + b.height() * 0.52},
                            {b.left() + b.width() * 0.44, b.top() + b.height() * 0.70},
                            {b.left() + b.width() * 0.74, b.top() + b.height() * 0.32}};
  painter.drawPolyline(points, 3);
  painter.restore();
}

// Liberation Sans (Arial's stand-in) is 2288 units from ascent to descent on
// an em of 2048: a font asked for by its cell height gets this pixel size, so
// the letters come out as tall as the layout expects.
QFont CellHeightFont(int height) {
  const int pixels = static_cast<int>(std::lround(std::max(height, 1) * 2048.0 / 2288.0));
  return PixelFont(QStringLiteral("Arial"), std::max(pixels, 1), true);
}

QRect ToQRect(const PixelRect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

CalendarModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
  return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier)};
}

QImage Opaque(const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

CCalendarCtrl::CCalendarCtrl(const Clock& clock, QWidget* parent)
    : QWidget(parent),
      m_model(clock),
      m_headerFont(CellHeightFont(kDefaultFontHeight)),
      m_dayFont(CellHeightFont(kDefaultFontHeight)),
      m_monthFont(CellHeightFont(kDefaultFontHeight)) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the bitmap covers the client area: never erase
  setFocusPolicy(Qt::ClickFocus);
  m_scrollBar = new QScrollBar(Qt::Vertical, this);
  m_scrollBar->setRange(0, m_model.ScrollRange());
  // The bar scrolls by weeks whatever the step; the page only sizes the thumb.
  m_scrollBar->setSingleStep(1);
  m_scrollBar->setPageStep(10);
  m_scrollBar->setFocusPolicy(Qt::NoFocus);
  connect(m_scrollBar, &QScrollBar::actionTriggered, this, [this](int action) { OnScrollAction(action); });
  SyncScrollBar();
}

CCalendarCtrl::~CCalendarCtrl() = default;

void CCalendarCtrl::Create(const QRect& rect, QWidget* parent, int id) {
  if (parent != nullptr && parent != parentWidget()) setParent(parent);
  setGeometry(rect);
  m_id = id;
  m_scrollBar->setRange(0, m_model.ScrollRange());
  GoToToday();
  show();
}

void CCalendarCtrl::GoToToday() {
  m_model.GoToToday();
  Changed();
}

bool CCalendarCtrl::SetViewDate(Date date, bool reset) {
  const bool accepted = m_model.SetViewDate(date, reset);
  Changed();
  return accepted;
}

void CCalendarCtrl::Refresh() {
  m_model.Refresh();
  Changed();
}

void CCalendarCtrl::SetDays(CalendarDays* days) {
  m_days = days;
  update();
}

void CCalendarCtrl::SetHeaderHeight(int pixels) {
  m_model.SetHeaderHeight(pixels);
  update();
}

void CCalendarCtrl::SetHeaderFont(int height) {
  m_headerFont = CellHeightFont(height);
  update();
}

void CCalendarCtrl::SetDayFont(int height) {
  m_dayFont = CellHeightFont(height);
  update();
}

void CCalendarCtrl::SetMonthFont(int height) {
  m_monthFont = CellHeightFont(height);
  update();
}

void CCalendarCtrl::SetDataPictures(Picture picture, Picture mask) {
  m_pictureId = picture;
  m_maskId = mask;
  m_picturesRatio = 0;
  m_picture = QImage();
  m_mask = QImage();
  m_scaledPicture = QImage();
  m_scaledMask = QImage();
  update();
}

void CCalendarCtrl::PreparePictures(qreal ratio) {
  if (!m_pictureId || !m_maskId) return;
  if (m_picturesRatio == ratio) return;
  m_picturesRatio = ratio;
  m_picture = Opaque(BuiltInPicture(*m_pictureId, ratio));
  m_mask = Opaque(BuiltInPicture(*m_maskId, ratio));
  m_scaledPicture = QImage();
  m_scaledMask = QImage();
}

void CCalendarCtrl::SetFirstDayOfWeek(int day) {
  m_model.SetFirstDayOfWeek(day);
  update();
}

void CCalendarCtrl::SetMaxSelection(int days) {
  m_model.SetMaxSelection(days);
}

QRect CCalendarCtrl::ClientRect() const {
  const int bar = m_scrollBar->sizeHint().width();
  return QRect(0, 0, std::max(width() - bar, 0), height());
}

void CCalendarCtrl::Changed() {
  SyncScrollBar();
  update();
}

void CCalendarCtrl::SyncScrollBar() {
  if (m_scrollBar->maximum() != m_model.ScrollRange()) m_scrollBar->setRange(0, m_model.ScrollRange());
  if (m_scrollBar->sliderPosition() == m_model.ScrollPosition() && m_scrollBar->value() == m_model.ScrollPosition())
    return;
  // Moving the thumb from here must not be taken for a drag of it.
  const QSignalBlocker blocker(m_scrollBar);
  m_scrollBar->setSliderPosition(m_model.ScrollPosition());
  m_scrollBar->setValue(m_model.ScrollPosition());
}

void CCalendarCtrl::OnScrollAction(int action) {
  bool moved = false;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      moved = m_model.Scroll(CalendarScroll::LineDown);
      break;
    case QAbstractSlider::SliderSingleStepSub:
      moved = m_model.Scroll(CalendarScroll::LineUp);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      moved = m_model.Scroll(CalendarScroll::PageDown);
      break;
    case QAbstractSlider::SliderPageStepSub:
      moved = m_model.Scroll(CalendarScroll::PageUp);
      break;
    case QAbstractSlider::SliderToMinimum:
      moved = m_model.Scroll(CalendarScroll::Top);
      break;
    case QAbstractSlider::SliderToMaximum:
      moved = m_model.Scroll(CalendarScroll::Bottom);
      break;
    case QAbstractSlider::SliderMove:
      moved = m_model.Scroll(CalendarScroll::ThumbTrack, m_scrollBar->sliderPosition());
      break;
    default:
      break;
  }
  // The bar has already moved its thumb the way it would; put it where the
  // calendar is (a refused move leaves it where it was). The bar takes this
  // position as its value once the action is over.
  {
    const QSignalBlocker blocker(m_scrollBar);
    m_scrollBar->setSliderPosition(m_model.ScrollPosition());
  }
  if (moved) update();
}

void CCalendarCtrl::resizeEvent(QResizeEvent*) {
  const int bar = m_scrollBar->sizeHint().width();
  m_scrollBar->setGeometry(std::max(width() - bar, 0), 0, std::min(bar, width()), height());
  const QRect client = ClientRect();
  m_model.SetClientSize(client.width(), client.height());
}

void CCalendarCtrl::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  m_model.Press(p.x(), p.y(), ModifiersOf(event->modifiers()));
  update();
}

void CCalendarCtrl::mouseMoveEvent(QMouseEvent* event) {
  if (!m_model.Dragging()) return;
  const QPoint p = event->position().toPoint();
  m_model.Move(p.x(), p.y());
  update();
}

void CCalendarCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  m_model.Release(p.x(), p.y(), ModifiersOf(event->modifiers()));
  update();
}

void CCalendarCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  m_model.DoubleClick(p.x(), p.y());
}

void CCalendarCtrl::wheelEvent(QWheelEvent* event) {
  // A notch is 120 eighths of a degree; fine-grained wheels and touchpads
  // send less at a time and add up to a week.
  m_wheelRemainder += event->angleDelta().y();
  const int notches = m_wheelRemainder / 120;
  m_wheelRemainder -= notches * 120;
  if (notches != 0) {
    m_model.Wheel(-notches);  // turned away from the user: earlier weeks
    Changed();
  }
  event->accept();
}

void CCalendarCtrl::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  switch (event->key()) {
    case Qt::Key_Left:
      m_model.Key(CalendarKey::Left);
      break;
    case Qt::Key_Right:
      m_model.Key(CalendarKey::Right);
      break;
    case Qt::Key_Up:
      m_model.Key(CalendarKey::Up);
      break;
    case Qt::Key_Down:
      m_model.Key(CalendarKey::Down);
      break;
    case Qt::Key_Space:
      if (!ctrl) {
        QWidget::keyPressEvent(event);
        return;
      }
      m_model.ToggleSelectedDay();
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  Changed();
}

const QImage& CCalendarCtrl::ScaledPicture(const QImage& source, QSize size, QImage& cache) const {
  // Colour-on-colour stretching: whole pixels, no blending. The size is
  // logical; the picture is scaled to the pixels it covers at its ratio.
  const qreal ratio = source.devicePixelRatio();
  const QSize pixels(qRound(size.width() * ratio), qRound(size.height() * ratio));
  if (cache.size() != pixels || cache.devicePixelRatio() != ratio) {
    cache = source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    cache.setDevicePixelRatio(ratio);
  }
  return cache;
}

// The header, shaded from its bottom line up, with the weekday names.
void CCalendarCtrl::PaintHeader(QPainter& painter, const CalendarLook& look, const CalendarGeometry& geometry) const {
  const int headerBottom = look.header.bottom;
  for (std::size_t i = 0; i < look.headerLines.size(); ++i) {
    painter.fillRect(QRect(0, headerBottom - 1 - static_cast<int>(i), look.header.Width(), 1),
                     ToQColor(look.headerLines[i]));
  }
  const QFontMetrics headerMetrics(m_headerFont);
  const auto names = FitWeekdayNames(
      look.weekdays,
      [&](const std::string& name) { return headerMetrics.horizontalAdvance(QString::fromStdString(name)); },
      geometry.ColumnWidth());
  painter.setFont(m_headerFont);
  painter.setPen(Qt::black);
  for (std::size_t c = 0; c < names.size(); ++c) {
    painter.drawText(ToQRect(look.weekdayRects[c]), Qt::AlignCenter, QString::fromStdString(names[c]));
  }
}

void CCalendarCtrl::PaintCell(QPainter& painter, const CalendarCellLook& cell, qreal ratio) {
  const QColor selection = ToQColor(Shade(70));
  const QRect rect = ToQRect(cell.rect);
  painter.fillRect(rect, ToQColor(cell.background));
  if (cell.today) {
    for (int k = 0; k < kTodayBandHeight; ++k) {
      const int y = cell.rect.top + kTodayBandHeight - 1 - k;
      if (y < cell.rect.bottom)
        painter.fillRect(QRect(rect.left(), y, rect.width(), 1), ToQColor(TodayBandLineColour(k)));
    }
  }
  if (cell.selected && !cell.selectionRect.Empty()) painter.fillRect(ToQRect(cell.selectionRect), selection);
  if (cell.focus && !cell.focusRect.Empty()) {
    painter.save();
    // A one-pixel pen straddles its line. At ratio 1 the aliased painter puts
    // it on the pixels right of and below the line; at another ratio half a
    // logical pixel keeps it on the same logical pixels.
    if (ratio != 1) painter.translate(0.5, 0.5);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(cell.focusRect).adjusted(0, 0, -1, -1));
    painter.restore();
  }
  if (cell.outOfRange) painter.fillRect(rect, ToQColor(kCalendarOutOfRange));

  const QRect text = ToQRect(cell.textRect);
  painter.setFont(m_dayFont);
  painter.setPen(ToQColor(cell.dayColour));
  painter.drawText(text, Qt::AlignRight | Qt::AlignTop, QString::fromStdString(cell.dayText));
  if (!cell.monthText.empty()) {
    painter.setFont(m_monthFont);
    painter.setPen(Qt::black);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(cell.monthText));
  }

  if (cell.picture) {
    const QSize logical = PictureSize(*m_pictureId);
    if (const auto place = DataPictureRect(cell.pictureArea, logical.width(), logical.height())) {
      const QSize size(place->Width(), place->Height());
      const QPoint at(place->left, place->top);
      painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
      painter.drawImage(at, ScaledPicture(m_mask, size, m_scaledMask));
      painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
      painter.drawImage(at, ScaledPicture(m_picture, size, m_scaledPicture));
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
  }
  if (cell.goalMet) PaintGoalBadge(painter, ToQRect(cell.goalRect));
  if (cell.note) {
    painter.setFont(m_dayFont);
    painter.setPen(ToQColor(kCalendarNoteText));
    painter.drawText(ToQRect(cell.noteRect), Qt::AlignRight | Qt::AlignTop, QStringLiteral("Note"));
  }
}

void CCalendarCtrl::PaintSurface() {
  const QRect client = ClientRect();
  if (client.isEmpty()) {
    m_surface = QImage();
    return;
  }
  m_model.SetClientSize(client.width(), client.height());
  const qreal ratio = devicePixelRatioF();
  const QSize pixels(qCeil(client.width() * ratio), qCeil(client.height() * ratio));
  if (m_surface.size() != pixels || m_surface.devicePixelRatio() != ratio) {
    m_surface = QImage(pixels, QImage::Format_RGB32);
    m_surface.setDevicePixelRatio(ratio);
  }
  PreparePictures(ratio);
  const bool pictures = !m_picture.isNull() && !m_mask.isNull();
  const CalendarLook look = LookOf(m_model, m_days, pictures);
  const CalendarGeometry geometry = m_model.Geometry();

  QPainter painter(&m_surface);
  painter.fillRect(QRect(QPoint(0, 0), client.size()), ToQColor(kCalendarPaper));
  PaintHeader(painter, look, geometry);
  for (const CalendarCellLook& cell : look.cells) PaintCell(painter, cell, ratio);

  const QColor grid = ToQColor(kCalendarGridLine);
  const int headerBottom = look.header.bottom;
  for (int x : look.verticalLines) painter.fillRect(QRect(x, headerBottom, 1, client.height() - headerBottom), grid);
  for (int y : look.horizontalLines) painter.fillRect(QRect(0, y, client.width(), 1), grid);
}

void CCalendarCtrl::paintEvent(QPaintEvent*) {
  PaintSurface();
  if (m_surface.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, m_surface);
}

}  // namespace tempovia
