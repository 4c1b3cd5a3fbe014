#pragma once
// The main window of Ann (one user, 170 cm, 65 kg) on the watch simulator
// without its pauses, on 20 March 2008, its dialogs answered by the test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "FakeTrayArea.h"
#include "TempDir.h"
#include "TestDesktop.h"
#include "app/AppContext.h"
#include "app/DlgMain.h"
#include "base/testing/FakeClock.h"
#include "device/SimulatedWatch.h"
#include "skin/SkinLayout.h"
#include "widgets/MessageBoxNoticeSink.h"
#include "widgets/testing/ScriptedMessageBoxes.h"

namespace tempovia::test {

inline constexpr int kGenerous = 60000;  // ms to wait for a download's end

DayRecord Day(int year, int month, int day, double steps);
// Types text the way a keyboard layout with those letters would, one key
// event per character (QTest's key clicks know ASCII only).
void Type(QWidget& widget, const QString& text);
QPoint Centre(int area);

class MainWindowFixture : public ::testing::Test {
 protected:
  MainWindowFixture();

  void FillSteps(const std::vector<DayRecord>& days);
  int StoredDays();
  // The note stored for a day, "(no record)" for a day the file does not hold.
  std::string StoredNote(Date day);
  SimulatedWatch& Watch() { return static_cast<SimulatedWatch&>(app->Watch().Transport()); }
  // The window made, loaded and started as the login cycle does (Ann
  // logged in), and shown.
  CDlgMain& Open();
  // Another app on these options (the program's folder, say).
  void Remake(const AppOptions& options);
  void Click(QPoint at) { QTest::mouseClick(window.get(), Qt::LeftButton, {}, at); }
  // A move with no button held, as the mouse passes over the window.
  void Hover(QPoint at);
  bool WaitForDownload();
  // Runs fn inside the loop of the next modal dialog of that class, once it
  // is up (as a person acts while it shows); fn gets the dialog. Given up
  // with the window, so a dialog that never came cannot reach the next test.
  template <class Dialog>
  void WhileModal(std::function<void(Dialog& dialog)> fn) {
    QPointer<CDlgMain> owner(window.get());
    QTimer::singleShot(0, window.get(), [owner, fn = std::move(fn)] {
      Dialog* dialog = nullptr;
      (void)QTest::qWaitFor(  // the expectation below says what matters
          [&] {
            dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
            return dialog != nullptr || owner.isNull();
          },
          kGenerous);
      EXPECT_NE(dialog, nullptr) << "no such dialog came up";
      if (dialog != nullptr) fn(*dialog);
    });
  }

  TempDir dir;
  FakeClock clock{LocalDateTime::From(2008, 3, 20, 9, 0, 0)};
  TestDesktop desktop{clock};
  std::unique_ptr<AppContext> app;
  std::filesystem::path stepFile;
  std::filesystem::path exerciseFile;
  FakeTrayArea::State tray;
  ScriptedMessageBoxes boxes;
  // The core's notices show as the program shows them: as message boxes.
  MessageBoxNoticeSink notices;
  std::unique_ptr<CDlgMain> window;
};

}  // namespace tempovia::test
