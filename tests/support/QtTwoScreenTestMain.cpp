#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>
#include <cstdio>

#include "widgets/Fonts.h"

namespace {

// Screen sizes are in device pixels; the second is 2000 by 1500 logical
// pixels at 192 dots per inch on a base of 96, which Qt takes as ratio 2.
constexpr char kScreens[] = R"({
  "screens": [
    {"name": "ratio-1", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96},
    {"name": "ratio-2", "x": 1920, "y": 0, "width": 4000, "height": 3000, "logicalDpi": 192, "logicalBaseDpi": 96}
  ]
})";

}  // namespace

int main(int argc, char** argv) {
  // The platform reads the file while the application starts up.
  QTemporaryFile config;
  if (!config.open() || config.write(kScreens) != qint64(sizeof kScreens - 1) || !config.flush()) {
    std::fprintf(stderr, "cannot write the screen configuration\n");
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tempovia::InstallFontSubstitutes();
  return RUN_ALL_TESTS();
}
