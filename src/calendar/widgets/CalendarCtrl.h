#pragma once
// The calendar control: six weeks of days under a shaded weekday header, with
// a vertical scroll bar that moves it by weeks. It marks today, the selection,
// the days that hold steps (a picture) and the days with a note ("Note"), and
// pinks the days outside 2000..2035.
//
// Every rule lives in CalendarModel and CalendarLook; this widget forwards its
// events there and paints the look into an off-screen bitmap that is copied to
// the screen in one step. The bitmap is made at the widget's device pixel
// ratio, so the copy is one to one in screen pixels, while the look and the
// mouse stay in logical pixels.

#include <QFont>
#include <QImage>
#include <QWidget>
#include <optional>

#include "calendar/CalendarModel.h"
#include "widgets/Artwork.h"

class QPainter;
class QScrollBar;

namespace tempovia {

class CalendarDays;
class CalendarGeometry;
struct CalendarCellLook;
struct CalendarLook;
class CalendarOwner;

class CCalendarCtrl : public QWidget {
 public:
  // A bold "Arial" of this height, as the control's fonts are given.
  static constexpr int kDefaultFontHeight = 13;

  explicit CCalendarCtrl(const Clock& clock, QWidget* parent = nullptr);
  ~CCalendarCtrl() override;

  // Places the control, sets the scroll bar's range and shows today.
  void Create(const QRect& rect, QWidget* parent, int id);
  int ControlId() const { return m_id; }

  void GoToToday();
  bool SetViewDate(Date date, bool reset);
  void Refresh();

  // Asked for the marks of every day painted; borrowed.
  void SetDays(CalendarDays* days);
  void SetOwner(CalendarOwner* owner) { m_model.SetOwner(owner); }
  void SetHeaderHeight(int pixels);
  // Heights in pixels from the top of the tallest letter to the bottom of the
  // lowest, as the dialog gives them.
  void SetHeaderFont(int height);
  void SetDayFont(int height);
  void SetMonthFont(int height);
  void SetDataPictures(Picture picture, Picture mask);
  void SetFirstDayOfWeek(int day);
  void SetMaxSelection(int days);

  CalendarModel& Model() { return m_model; }
  const CalendarModel& Model() const { return m_model; }
  QScrollBar* ScrollBar() const { return m_scrollBar; }
  // The area the days are drawn in (the widget less its scroll bar).
  QRect ClientRect() const;

  // Draws the whole calendar into the off-screen bitmap (made anew only when
  // the client size or the device pixel ratio changed).
  void PaintSurface();
  void PaintHeader(QPainter& painter, const CalendarLook& look, const CalendarGeometry& geometry) const;
  // Keeps the day picture scaled to the cells' size.
  void PaintCell(QPainter& painter, const CalendarCellLook& cell, qreal ratio);
  // The client size times the device pixel ratio, the ratio set on it.
  const QImage& Surface() const { return m_surface; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnScrollAction(int action);
  void SyncScrollBar();
  void Changed();
  // The day picture and its mask drawn at this ratio, once per ratio.
  void PreparePictures(qreal ratio);
  const QImage& ScaledPicture(const QImage& source, QSize size, QImage& cache) const;

  CalendarModel m_model;
  QScrollBar* m_scrollBar = nullptr;  // child
  CalendarDays* m_days = nullptr;
  int m_id = 0;
  QFont m_headerFont;
  QFont m_dayFont;
  QFont m_monthFont;
  std::optional<Picture> m_pictureId;
  std::optional<Picture> m_maskId;
  qreal m_picturesRatio = 0;  // the ratio m_picture and m_mask were made for
  QImage m_picture;
  QImage m_mask;
  QImage m_scaledPicture;
  QImage m_scaledMask;
  QImage m_surface;
  int m_wheelRemainder = 0;  // eighths of a degree not yet turned into a notch
};

}  // namespace tempovia
