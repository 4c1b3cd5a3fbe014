#include "app/MainShortcuts.h"

#include "skin/SkinLayout.h"

namespace tempovia {

namespace {

// On macOS Option with the arrows moves by words and paragraphs in a text
// field; Command and Option together do nothing there.
#ifdef Q_OS_MACOS
constexpr auto kArrowModifiers = Qt::CTRL | Qt::ALT;
#else
constexpr auto kArrowModifiers = Qt::ALT;
#endif

QKeySequence Alt(Qt::Key key) {
  return QKeySequence(Qt::ALT | key);
}

QKeySequence Arrow(Qt::Key key) {
  return QKeySequence(kArrowModifiers | key);
}

}  // namespace

const std::vector<MainShortcut>& MainShortcuts() {
  static const std::vector<MainShortcut> shortcuts{
      {kAreaUpload, QStringLiteral("UPLOAD"), Alt(Qt::Key_U)},
      {kAreaPrint, QStringLiteral("PRINT"), Alt(Qt::Key_P)},
      {kAreaCalendar, QStringLiteral("CALENDAR"), Alt(Qt::Key_C)},
      {kAreaExport, QStringLiteral("EXPORT"), Alt(Qt::Key_E)},
      {kAreaImport, QStringLiteral("IMPORT"), Alt(Qt::Key_I)},
      {kAreaSetup, QStringLiteral("SETUP"), Alt(Qt::Key_S)},
      {kAreaExit, QStringLiteral("EXIT"), Alt(Qt::Key_X)},
      {kAreaHelp, QStringLiteral("HELP"), QKeySequence(Qt::Key_F1)},
      {kAreaLogout, QStringLiteral("LOGOUT"), Alt(Qt::Key_L)},
      {kAreaEdit, QStringLiteral("EDIT"), Alt(Qt::Key_D)},
      {kAreaWeekly, QStringLiteral("WEEKLY"), Alt(Qt::Key_W)},
      {kAreaMonthly, QStringLiteral("MONTHLY"), Alt(Qt::Key_M)},
      {kAreaYearly, QStringLiteral("YEARLY"), Alt(Qt::Key_Y)},
      {kAreaPreviousPeriod, QStringLiteral("Previous period"), Arrow(Qt::Key_Left)},
      {kAreaNextPeriod, QStringLiteral("Next period"), Arrow(Qt::Key_Right)},
      {kAreaTableUp, QStringLiteral("Scroll the exercise table up"), Arrow(Qt::Key_Up)},
      {kAreaTableDown, QStringLiteral("Scroll the exercise table down"), Arrow(Qt::Key_Down)},
      {kAreaStepsRow, QStringLiteral("STEPS"), Alt(Qt::Key_1)},
      {kAreaDistanceRow, QStringLiteral("DISTANCE"), Alt(Qt::Key_2)},
      {kAreaCaloriesRow, QStringLiteral("CALORIES BURNT"), Alt(Qt::Key_3)},
      {kAreaHeartRateRow, QStringLiteral("HEART RATE (AVERAGE)"), Alt(Qt::Key_4)},
      {kAreaExerciseRow, QStringLiteral("EXERCISE REPORT"), Alt(Qt::Key_5)},
  };
  return shortcuts;
}

QKeySequence ExitProgramKeys() {
  return QKeySequence(Qt::CTRL | Qt::Key_Q);
}

}  // namespace tempovia
