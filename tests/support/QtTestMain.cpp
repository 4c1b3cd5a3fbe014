#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "widgets/Fonts.h"

namespace {

// A window that ends the program asks the application to quit; with no
// application loop running, that request would end every later dialog's
// loop at once. Each test's leftovers are settled by one short run of the
// application's own loop, which also clears the request.
class SettleQuitRequests final : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QApplication::exec();
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Widget tests never need a display; ctest sets this too, a bare run may not.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tempovia::InstallFontSubstitutes();
  ::testing::UnitTest::GetInstance()->listeners().Append(new SettleQuitRequests);
  return RUN_ALL_TESTS();
}
