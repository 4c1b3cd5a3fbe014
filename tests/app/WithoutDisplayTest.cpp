#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "Process.h"

namespace tempovia {
namespace {

std::string Joined(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) text += (text.empty() ? "" : " ") + argument;
  return text;
}

// A terminal over ssh, a package build, a script: no display at all, with
// the platform plugin that needs one chosen or left for Qt to pick.
TEST(ProgramWithoutDisplay, HelpAndVersionPrintAndEndWell) {
  const test::ProcessLimits noDisplay{.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}};
  const std::map<std::string, std::string> platforms[] = {{}, {{"QT_QPA_PLATFORM", "xcb"}}};
  const std::vector<std::string> versions[] = {{"--version"}, {"-version"}, {"--trace", "--version"}};
  const std::vector<std::string> helps[] = {
      {"--help"}, {"-help"}, {"-h"}, {"--simulate-watch", "--help"}, {"--home", "/nowhere", "-tray", "--help"}};
  for (const auto& platform : platforms) {
    SCOPED_TRACE(platform.empty() ? "QT_QPA_PLATFORM unset" : "QT_QPA_PLATFORM=xcb");
    for (const auto& arguments : versions) {
      const test::ProcessResult r = test::RunProcess(TEMPOVIA_PROGRAM, arguments, platform, noDisplay);
      EXPECT_EQ(r.exitCode, 0) << Joined(arguments) << ": " << r.err;
      EXPECT_TRUE(std::regex_match(r.out, std::regex("Tempovia [0-9]+\\.[0-9]+\n"))) << Joined(arguments) << r.out;
    }
    for (const auto& arguments : helps) {
      const test::ProcessResult r = test::RunProcess(TEMPOVIA_PROGRAM, arguments, platform, noDisplay);
      EXPECT_EQ(r.exitCode, 0) << Joined(arguments) << ": " << r.err;
      EXPECT_EQ(r.out.rfind(std::string("Usage: ") + TEMPOVIA_PROGRAM + " [options]", 0), 0u) << r.out;
      EXPECT_NE(r.out.find("--simulate-watch <SEED|FILE>"), std::string::npos) << r.out;
      EXPECT_EQ(r.err, "") << Joined(arguments);
    }
  }
}

}  // namespace
}  // namespace tempovia
