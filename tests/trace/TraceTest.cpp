#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "trace/Trace.h"
#include "trace/testing/TraceCapture.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "DlgMain";

std::vector<std::string> ExpectedDump(const std::vector<std::uint8_t>& bytes) {
  // Built from the row rule by hand, independently of the writer's loop.
  std::vector<std::string> expected{"Start dumping data : \n"};
  for (std::size_t row = 0; row * 16 < bytes.size(); ++row) {
    if (row > 0) expected.push_back("\n");
    char text[8];
    std::snprintf(text, sizeof text, "%04X ", static_cast<unsigned>(row));
    expected.push_back(text);
    for (std::size_t i = row * 16; i < bytes.size() && i < row * 16 + 16; ++i) {
      std::snprintf(text, sizeof text, "%02X ", bytes[i]);
      expected.push_back(text);
    }
  }
  expected.push_back("\n");
  expected.push_back("\n");
  return expected;
}

std::vector<std::uint8_t> Bytes(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
  return bytes;
}

TEST(Trace, WritesLocationPrefixThenMessage) {
  TraceCapture capture;
  const int line = __LINE__ + 1;
  TV_TRACE("Retry Count = %d\n", 3);
  ASSERT_EQ(capture.Entries().size(), 1u);
  EXPECT_EQ(capture.Entries()[0].text, "Retry Count = 3\n");
  EXPECT_EQ(capture.Entries()[0].Formatted(), ".\\DlgMain(" + std::to_string(line) + ") : Retry Count = 3\n");
}

TEST(Trace, LongMessagesAreNotCut) {
  TraceCapture capture;
  const std::string longText(1000, 'x');
  TV_TRACE("%s\n", longText.c_str());
  EXPECT_EQ(capture.Text(), longText + "\n");
}

TEST(Trace, DumpOfSixteenBytesIsOneRowWithoutLineEndBeforeTheClosingPair) {
  TraceCapture capture;
  const auto bytes = Bytes(16);
  trace::DumpBytes(bytes.data(), bytes.size());
  const auto messages = capture.Messages();
  EXPECT_EQ(messages, ExpectedDump(bytes));
  // 1 header + 1 row number + 16 bytes + 2 closing line ends.
  EXPECT_EQ(messages.size(), 20u);
  EXPECT_EQ(messages[17], "AF ");
  EXPECT_EQ(messages[18], "\n");
}

TEST(Trace, DumpOfSeventeenBytesStartsASecondRowWithOneByte) {
  TraceCapture capture;
  const auto bytes = Bytes(17);
  trace::DumpBytes(bytes.data(), bytes.size());
  const auto messages = capture.Messages();
  EXPECT_EQ(messages, ExpectedDump(bytes));
  EXPECT_EQ(messages[18], "\n");
  EXPECT_EQ(messages[19], "0001 ");
  EXPECT_EQ(messages[20], "B0 ");
  EXPECT_EQ(messages.size(), 23u);
}

TEST(Trace, DumpOfAUserRecordHasRowsOfSixteenAndTen) {
  TraceCapture capture;
  const auto bytes = Bytes(26);
  trace::DumpBytes(bytes.data(), bytes.size());
  EXPECT_EQ(capture.Messages(), ExpectedDump(bytes));
  EXPECT_EQ(capture.Text(),
            "Start dumping data : \n0000 A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC AD AE AF \n"
            "0001 B0 B1 B2 B3 B4 B5 B6 B7 B8 B9 \n\n");
}

TEST(Trace, EmptyDumpHasOnlyHeaderAndClosingLines) {
  TraceCapture capture;
  trace::DumpBytes(nullptr, 0);
  EXPECT_EQ(capture.Messages(), (std::vector<std::string>{"Start dumping data : \n", "\n", "\n"}));
}

TEST(Trace, EveryDumpPieceCarriesItsOwnPrefix) {
  TraceCapture capture;
  const auto bytes = Bytes(2);
  trace::DumpBytes(bytes.data(), bytes.size());
  for (const TraceEntry& entry : capture.Entries()) {
    EXPECT_EQ(entry.module, "Global");
    EXPECT_GT(entry.line, 0);
  }
}

TEST(Trace, StandardErrorReceivesFormattedLinesWhenSwitchedOn) {
  trace::SetStandardError(true);
  testing::internal::CaptureStderr();
  TV_TRACE("InitPort\n");
  const std::string written = testing::internal::GetCapturedStderr();
  trace::SetStandardError(false);
  EXPECT_NE(written.find(".\\DlgMain("), std::string::npos);
  EXPECT_NE(written.find(") : InitPort\n"), std::string::npos);
}

TEST(Trace, CapturesNestAndRestoreTheOuterOne) {
  TraceCapture outer;
  {
    TraceCapture inner;
    TV_TRACE("inner\n");
    EXPECT_EQ(inner.Text(), "inner\n");
  }
  TV_TRACE("outer\n");
  EXPECT_EQ(outer.Text(), "outer\n");
}

}  // namespace
}  // namespace tempovia
