#pragma once
// The fixed geometry of the skinned windows, in client pixels (origin top
// left). The artwork draws every button from these tables and the windows
// hit-test clicks against the same tables, so a button can never drift away
// from the place that answers to it.

#include <array>
#include <span>

#include "skin/ChartKind.h"
#include "skin/Rgb.h"

namespace tempovia {

// A clickable rectangle; both edges count as inside.
struct HitRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr bool Contains(int x, int y) const { return left <= x && x <= right && top <= y && y <= bottom; }
  constexpr int Width() const { return right - left + 1; }
  constexpr int Height() const { return bottom - top + 1; }
};

// A control's place: top-left corner and size.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  constexpr int Right() const { return x + width; }    // one past the last column
  constexpr int Bottom() const { return y + height; }  // one past the last row
  friend constexpr bool operator==(const Box&, const Box&) = default;
};

// The first rectangle holding the point, or -1.
int HitTest(std::span<const HitRect> rects, int x, int y);

// ---------------------------------------------------------------- main window

constexpr int kMainWidth = 1000;
constexpr int kMainHeight = 709;

enum MainArea : int {
  kAreaNone = -1,
  kAreaUpload = 0,
  kAreaPrint,
  kAreaCalendar,
  kAreaExport,
  kAreaImport,
  kAreaSetup,
  kAreaExit,
  kAreaHelp,
  kAreaLogout,
  kAreaEdit,
  kAreaWeekly,
  kAreaMonthly,
  kAreaYearly,
  kAreaPreviousPeriod,
  kAreaNextPeriod,
  kAreaTableUp,
  kAreaTableDown,
  kAreaStepsRow,
  kAreaDistanceRow,
  kAreaCaloriesRow,
  kAreaHeartRateRow,
  kAreaExerciseRow,
  kMainAreaCount
};

// Tested in this order; the first containing the point wins.
inline constexpr std::array<HitRect, kMainAreaCount> kMainAreas{{
    {48, 72, 165, 107},    // UPLOAD
    {179, 72, 295, 107},   // PRINT
    {310, 72, 426, 107},   // CALENDAR
    {441, 72, 557, 107},   // EXPORT
    {572, 72, 688, 107},   // IMPORT
    {703, 72, 819, 107},   // SETUP
    {834, 72, 950, 107},   // EXIT
    {504, 353, 598, 379},  // HELP
    {653, 353, 721, 379},  // LOGOUT
    {734, 353, 806, 379},  // EDIT
    {902, 418, 991, 444},  // WEEKLY
    {902, 474, 991, 500},  // MONTHLY
    {902, 530, 991, 557},  // YEARLY
    {902, 597, 932, 628},  // previous period
    {955, 597, 986, 628},  // next period
    {952, 501, 983, 532},  // exercise table up
    {952, 555, 983, 587},  // exercise table down
    {33, 162, 455, 185},   // STEPS row
    {33, 187, 455, 209},   // DISTANCE row
    {33, 211, 455, 235},   // CALORIES BURNT row
    {33, 237, 455, 260},   // HEART RATE (AVERAGE) row
    {33, 262, 455, 286},   // EXERCISE REPORT row
}};

// The words on the seven top buttons and the HELP / LOGOUT / EDIT strip, by area.
inline constexpr std::array<const char*, 10> kMainButtonTexts{"UPLOAD", "PRINT", "CALENDAR", "EXPORT", "IMPORT",
                                                              "SETUP",  "EXIT",  "HELP",     "LOGOUT", "EDIT"};
inline constexpr std::array<const char*, 3> kPeriodButtonTexts{"WEEKLY", "MONTHLY", "YEARLY"};

// The period buttons and arrows work for the charts, the table arrows only for
// the exercise table. Areas that do not belong to the kind do not exist for it.
bool MainAreaActive(int area, ChartKind kind);

// The active area under the point, or kAreaNone (the window then starts a drag).
int MainHitTest(int x, int y, ChartKind kind);

// The dashboard's coloured rows, top to bottom, with their value labels.
struct SummaryRow {
  const char* caption;
  int area;  // the row's hit area, kAreaNone for the date row
  Box label;
  Rgb background;
  Rgb text;
  int fontSize;
};

inline constexpr std::array<SummaryRow, 6> kSummaryRows{{
    {"SUMMARY FOR", kAreaNone, {307, 140, 143, 18}, kBlack, kWhite, 14},
    {"STEPS", kAreaStepsRow, {307, 165, 143, 18}, kStepsColour, kWhite, 12},
    {"DISTANCE", kAreaDistanceRow, {307, 190, 143, 18}, kDistanceColour, kWhite, 12},
    {"CALORIES BURNT", kAreaCaloriesRow, {307, 215, 143, 18}, kCaloriesColour, kWhite, 12},
    {"HEART RATE (AVERAGE)", kAreaHeartRateRow, {307, 240, 143, 18}, kHeartRateColour, kWhite, 12},
    {"EXERCISE REPORT", kAreaExerciseRow, {307, 265, 143, 18}, kExerciseColour, kWhite, 12},
}};

// BMI, fat burnt and average speed: a caption label and a value label per row.
struct InfoRow {
  const char* caption;
  Box captionBox;
  Box valueBox;
  Rgb background;
};

inline constexpr std::array<InfoRow, 3> kInfoRows{{
    {"  BMI", {33, 298, 110, 20}, {147, 298, 110, 20}, {220, 220, 220}},
    {"  Fat Burnt", {33, 322, 110, 20}, {147, 322, 110, 20}, {220, 220, 220}},
    {"  Average Speed", {33, 346, 110, 20}, {147, 346, 110, 20}, {150, 255, 150}},
}};

inline constexpr Box kDayNoteBox{265, 308, 200, 60};
inline constexpr Box kPhotoBox{498, 150, 128, 165};

// The user panel: eight caption labels and eight value labels in rows of 20.
inline constexpr std::array<const char*, 8> kUserCaptions{"Name:",        "Height:",      "Weight:", "Stride",
                                                          "  (Walking):", "  (Running):", "Age:",    "Sex:"};
constexpr Box UserCaptionBox(int row) {
  return {638, 150 + 20 * row, 80, 20};
}
constexpr Box UserValueBox(int row) {
  return {723, 150 + 20 * row, 95, 20};
}
inline constexpr Rgb kUserCaptionText{100, 100, 100};
inline constexpr int kUserFontSize = 14;

inline constexpr Box kMainVersionBox{kMainWidth - 50, kMainHeight - 30, 40, 20};
inline constexpr Rgb kVersionBackground{149, 149, 149};
inline constexpr int kVersionFontSize = 10;

// The bar chart control and the grey the main window gives its background.
inline constexpr Box kChartBox{16, 410, 880, 290};
inline constexpr int kChartControlId = 1038;
inline constexpr Rgb kChartBackground{149, 149, 149};

// The exercise table: 8 rows by 11 columns of labels, 20 pixels high.
constexpr int kExerciseRows = 8;
constexpr int kExerciseColumns = 11;
constexpr int kExerciseCellHeight = 20;
inline constexpr std::array<int, kExerciseColumns> kExerciseColumnLefts{24,  84,  209, 293, 370, 446,
                                                                        523, 605, 693, 781, 869};
inline constexpr std::array<int, kExerciseColumns> kExerciseColumnWidths{48, 112, 72, 65, 67, 68, 68, 77, 77, 77, 72};
inline constexpr std::array<int, kExerciseRows> kExerciseRowTops{456, 479, 503, 527, 551, 574, 598, 620};
inline constexpr std::array<const char*, kExerciseColumns> kExerciseHeadings{
    "DATA RECORD",     "DATE/TIME",      "EXER TIME",      "AVERAGE SPEED",  "TOTAL DISTANCE", "TOTAL CALORIES",
    "TOTAL FAT BURNT", "AVG HEART RATE", "MAX HEART RATE", "MIN HEART RATE", "TOTAL STEPS"};
constexpr Box ExerciseCellBox(int row, int column) {
  return {kExerciseColumnLefts[column], kExerciseRowTops[row], kExerciseColumnWidths[column], kExerciseCellHeight};
}

// --------------------------------------------------------------- login dialog

constexpr int kLoginWidth = 1000;
constexpr int kLoginHeight = 440;

enum LoginArea : int {
  kLoginNone = -1,
  kLoginLogIn = 0,
  kLoginNewUser,
  kLoginDeleteUser,
  kLoginPreviousUser,
  kLoginNextUser,
  kLoginNameBox,
  kLoginPasswordBox,
  kLoginAreaCount
};

inline constexpr std::array<HitRect, kLoginAreaCount> kLoginAreas{{
    {816, 265, 932, 291},  // log in
    {816, 319, 932, 345},  // new user
    {816, 366, 932, 390},  // delete user
    {790, 149, 813, 172},  // previous user
    {949, 149, 973, 172},  // next user
    {816, 150, 944, 171},  // the name label
    {816, 213, 944, 234},  // the password box
}};

inline constexpr std::array<const char*, 3> kLoginButtonTexts{"LOGIN", "NEW USER", "DELETE USER"};

int LoginHitTest(int x, int y);

// The name label and the password box sit exactly on their rectangles.
constexpr Box BoxOf(const HitRect& r) {
  return {r.left, r.top, r.Width(), r.Height()};
}
inline constexpr Rgb kLoginNameBackground = kWhite;
inline constexpr int kLoginNameFontSize = 14;
inline constexpr Box kLoginVersionBox{kLoginWidth - 50, kLoginHeight - 28, 40, 20};

// ------------------------------------------------------------ calendar dialog

enum CalendarArea : int { kCalendarNone = -1, kCalendarToday = 0, kCalendarPreviousYear, kCalendarNextYear };

inline constexpr std::array<HitRect, 3> kCalendarAreas{{
    {1, 1, 143, 40},    // Today
    {273, 1, 294, 36},  // previous year
    {439, 1, 461, 36},  // next year
}};

// The pictures drawn in the calendar's days that hold steps, and the year arrows.
constexpr int kDayPictureWidth = 70;
constexpr int kDayPictureHeight = 134;
constexpr int kYearArrowWidth = 22;
constexpr int kYearArrowHeight = 40;
inline constexpr Rgb kCalendarBackground{174, 194, 199};

// The photo shown when a user has none.
constexpr int kPhotoPlaceholderWidth = 145;
constexpr int kPhotoPlaceholderHeight = 177;

}  // namespace tempovia
