#include "calendar/widgets/DlgCalendar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>

#include "calendar/CalendarLook.h"
#include "calendar/widgets/CalendarCtrl.h"
#include "skin/SkinLayout.h"
#include "widgets/Artwork.h"
#include "widgets/Label.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

constexpr int kHeaderFontHeight = 30;
constexpr int kDayFontHeight = 20;
constexpr int kMonthFontHeight = 32;
constexpr int kLabelFontSize = 25;

// The labels sit on their hot areas, inside the 40-pixel margin.
constexpr Box kTodayBox{1, 1, 143, 38};
constexpr Box kYearBox{295, 1, 144, 36};
constexpr Box kPreviousBox{273, 0, kYearArrowWidth, kYearArrowHeight};
constexpr Box kNextBox{439, 0, kYearArrowWidth, kYearArrowHeight};
// Below this a month name and its day number meet, and the picture and
// "Note" no longer fit under the number.
constexpr int kMinimumWidth = 600;
constexpr int kMinimumHeight = 440;

CLabel* MakeLabel(QWidget* parent, const Box& box) {
  auto* label = new CLabel(parent);
  label->setGeometry(box.x, box.y, box.width, box.height);
  label->setAlignment(Qt::AlignCenter);
  // Clicks and moves over the labels belong to the dialog's hot areas.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

}  // namespace

CDlgCalendar::CDlgCalendar(const Clock& clock, QWidget* parent) : QDialog(parent), m_model(clock) {
  setWindowTitle(QStringLiteral("Calendar"));
  setMouseTracking(true);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  resize(kWidth, kHeight);

  m_todayLabel = MakeLabel(this, kTodayBox);
  m_todayLabel->SetText(QStringLiteral("Today"));
  m_yearLabel = MakeLabel(this, kYearBox);
  m_previousLabel = MakeLabel(this, kPreviousBox);
  m_previousLabel->SetBkColor(kCalendarBackground);
  m_previousLabel->SetPicture(Picture::YearPrevious);
  m_nextLabel = MakeLabel(this, kNextBox);
  m_nextLabel->SetBkColor(kCalendarBackground);
  m_nextLabel->SetPicture(Picture::YearNext);

  m_calendar = new CCalendarCtrl(clock, this);
  const PixelRect place = CalendarDialogModel::CalendarRect(width(), height());
  m_calendar->Create(QRect(place.left, place.top, place.Width(), place.Height()), this, kCalendarId);
  m_calendar->SetOwner(this);
  m_calendar->SetHeaderHeight(40);
  m_calendar->SetHeaderFont(kHeaderFontHeight);
  m_calendar->SetDayFont(kDayFontHeight);
  m_calendar->SetMonthFont(kMonthFontHeight);
  m_calendar->SetDataPictures(Picture::CalendarDay, Picture::CalendarDayMask);
  m_calendar->GoToToday();
  m_calendar->SetFirstDayOfWeek(1);
  m_calendar->Refresh();

  Initialise();
}

CDlgCalendar::~CDlgCalendar() = default;

void CDlgCalendar::SetDays(CalendarDays* days) {
  m_calendar->SetDays(days);
}

void CDlgCalendar::Initialise() {
  m_todayLabel->SetBkColor(kCalendarTodayLabelBackground);
  m_yearLabel->SetBkColor(kCalendarBackground);
  for (CLabel* label : {m_todayLabel, m_yearLabel}) {
    label->SetFontSize(kLabelFontSize);
    label->SetFontBold(true);
  }
  RunArea(kCalendarToday);
  LayOut();
}

void CDlgCalendar::RunArea(int area) {
  if (m_model.RunArea(area, m_calendar->Model())) {
    ShowYearText();
    m_calendar->Refresh();
  }
}

void CDlgCalendar::ShowYearText() {
  m_yearLabel->SetText(QString::fromStdString(m_model.YearText()));
}

void CDlgCalendar::LayOut() {
  const PixelRect place = CalendarDialogModel::CalendarRect(width(), height());
  m_calendar->setGeometry(place.left, place.top, place.Width(), place.Height());
  update();
}

void CDlgCalendar::showEvent(QShowEvent* event) {
  // Each time the dialog opens; not when the desktop merely shows it again.
  if (!event->spontaneous()) Initialise();
  QDialog::showEvent(event);
  // The calendar is the only control: arrows work from the start.
  m_calendar->setFocus(Qt::OtherFocusReason);
}

void CDlgCalendar::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
}

void CDlgCalendar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(kCalendarBackground));
}

void CDlgCalendar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  RunArea(CalendarDialogModel::AreaAt(p.x(), p.y()));
}

void CDlgCalendar::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const bool hot = CalendarDialogModel::AreaAt(p.x(), p.y()) != kCalendarNone;
  setCursor(hot ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CDlgCalendar::ViewScrolled(Date viewDate) {
  m_model.ViewScrolled(viewDate);
  ShowYearText();
}

void CDlgCalendar::DayDoubleClicked(const LocalDateTime& day) {
  m_model.DayDoubleClicked(day);
  accept();
}

}  // namespace tempovia
