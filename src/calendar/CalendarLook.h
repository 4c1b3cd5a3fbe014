#pragma once
// What one paint of the calendar shows, worked out from the calendar's state
// and the days' marks without drawing anything: the header's shading and
// weekday names, each cell's colours, texts and marks, and the grid lines.
// The widget draws it in this order, so everything a user sees can be checked
// here.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calendar/CalendarDays.h"
#include "calendar/CalendarGeometry.h"
#include "calendar/CalendarModel.h"
#include "skin/Rgb.h"

namespace tempovia {

inline constexpr Rgb kCalendarPaper{252, 255, 255};         // under everything
inline constexpr Rgb kCalendarShownMonths{247, 255, 200};   // the month of today's parity
inline constexpr Rgb kCalendarOtherMonths{177, 242, 184};   // the months around it
inline constexpr Rgb kCalendarOutOfRange{255, 225, 225};    // days that can never be shown or picked
inline constexpr Rgb kCalendarGridLine{125, 175, 255};      // 1-pixel lines over the cells
inline constexpr Rgb kCalendarSelectedNumber{255, 104, 4};  // day number of a selected day
inline constexpr Rgb kCalendarNoteText{251, 0, 0};          // "Note"
inline constexpr Rgb kCalendarTodayLabelBackground{174, 194, 255};
inline constexpr Rgb kCalendarGoalBadge{32, 150, 72};  // a day that met the daily step goal

// Height of the shaded band at the top of today's cell, and of the strip at
// the bottom of a cell where "Note" goes.
constexpr int kTodayBandHeight = 30;
constexpr int kNoteStripHeight = 30;
// Where the data picture starts inside a cell (after the 1-pixel inset).
constexpr int kPictureLeft = 2;
constexpr int kPictureTop = 25;
// The goal badge's side at 100 % (smaller only in a cell too small for it).
constexpr int kGoalBadgeSize = 14;

// The calendar's blue shading, p = 0..100 from darkest to lightest.
Rgb Shade(int p);
// Line i of the header counted from its bottom line (0) upward.
Rgb HeaderLineColour(int i, int headerHeight);
// Line k of today's band counted from its bottom line (0) upward.
Rgb TodayBandLineColour(int k);

// The weekday names as shown: all cut to their first three letters when any
// of them is wider than a column (width measured by the caller's font).
std::array<std::string, 7> FitWeekdayNames(const std::array<std::string, 7>& names,
                                           const std::function<int(const std::string&)>& width, int columnWidth);

// Where the day picture goes in the area below a cell's texts: scaled by the
// larger of the height and width ratios (so it always fits), truncated, at the
// area's top-left. Nothing when the area has no room.
std::optional<PixelRect> DataPictureRect(const PixelRect& area, int pictureWidth, int pictureHeight);

struct CalendarCellLook {
  Date date;
  PixelRect rect;  // as painted (last column and row widened)
  Rgb background;
  bool today = false;     // shaded band over the top kTodayBandHeight rows
  bool selected = false;  // filled with Shade(70), below the band on today
  PixelRect selectionRect;
  bool focus = false;  // focus rectangle of the multi-selection
  PixelRect focusRect;
  bool outOfRange = false;  // filled pink over everything above
  PixelRect textRect;       // the cell inset by one pixel
  std::string dayText;      // right-aligned in the day font
  Rgb dayColour;
  std::string monthText;  // left-aligned in the month font; empty when none
  bool picture = false;   // the day holds steps (and pictures are set)
  PixelRect pictureArea;  // the area the picture is fitted into
  bool note = false;      // "Note", right-aligned in noteRect
  PixelRect noteRect;
  bool goalMet = false;  // the daily step goal's badge in goalRect
  PixelRect goalRect;
};

struct CalendarLook {
  PixelRect header;
  std::vector<Rgb> headerLines;           // from the bottom line upward
  std::array<std::string, 7> weekdays;    // full names ("%A") of the first row's days
  std::array<PixelRect, 7> weekdayRects;  // one column of the header each
  std::array<CalendarCellLook, CalendarGeometry::kCells> cells;
  std::vector<int> verticalLines;    // x, from the header down to the bottom
  std::vector<int> horizontalLines;  // y, across the whole width
};

// days may be null (no pictures and no notes); it is asked once per cell.
// withPictures: both data pictures are set.
CalendarLook LookOf(const CalendarModel& calendar, CalendarDays* days, bool withPictures);

}  // namespace tempovia
