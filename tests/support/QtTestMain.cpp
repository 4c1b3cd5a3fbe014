#include <gtest/gtest.h>

#include <QApplication>

#include "Fonts.h"

int main(int argc, char** argv) {
  // Widget tests never need a display; ctest sets this too, a bare run may not.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tempovia::InstallFontSubstitutes();
  return RUN_ALL_TESTS();
}
