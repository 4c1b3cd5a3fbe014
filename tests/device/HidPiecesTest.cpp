#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "device/HidReportDescriptor.h"
#include "device/HidapiTransport.h"

namespace tempovia {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A bridge of the watch's kind: one unnumbered 8-byte input and output report.
const Bytes kBridge = {
    0x05, 0x01,                    // usage page: generic desktop
    0x09, 0x10,                    // usage 0x10
    0xA1, 0x01,                    // collection: application
    0x19, 0x01, 0x29, 0x08,        // usages 1..8
    0x15, 0x00, 0x26, 0xFF, 0x00,  // logical 0..255
    0x75, 0x08, 0x95, 0x08,        // 8 fields of 8 bits
    0x81, 0x02,                    // input
    0x19, 0x01, 0x29, 0x08,        //
    0x91, 0x02,                    // output
    0xC0,                          // end collection
};

// A keyboard with numbered reports and a consumer-control collection.
const Bytes kKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01,  // keyboard, report 1
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,              // 8 modifier bits
    0x75, 0x08, 0x95, 0x06, 0x81, 0x00,              // 6 key bytes
    0x95, 0x05, 0x75, 0x01, 0x91, 0x02,              // 5 LED bits out
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,              // 3 padding bits out
    0xC0,                                            //
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02,  // consumer control, report 2
    0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0,        // one 16-bit field
};

TEST(HidReportDescriptor, ReadsWhatTheTransportNeeds) {
  const Bytes pushPop = {0x06, 0x00, 0xFF, 0x0B, 0x10, 0x00, 0x01, 0x00, 0xA1, 0x01,  // 4-byte usage 1:0x10
                         0x75, 0x08, 0x95, 0x04, 0xA4,                                // 4 bytes, pushed
                         0x75, 0x10, 0x95, 0x01, 0x81, 0x02,                          // 2 bytes
                         0xB4, 0x81, 0x02,                                            // popped: 4 bytes
                         0xFE, 0x02, 0x10, 0xAA, 0xBB,                                // a long item
                         0xC0};
  const struct {
    const char* name;
    Bytes bytes;
    bool numbered;
    std::uint16_t page, usage;
    int input, output;
  } cases[] = {
      {"bridge", kBridge, false, 0x01, 0x10, 9, 9},
      {"keyboard", kKeyboard, true, 0x01, 0x06, 8, 2},
      {"push, pop and long items", pushPop, false, 0x01, 0x10, 7, 0},
      {"empty", {}, false, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HidReportDescriptor d = HidReportDescriptor::Parse(c.bytes);
    EXPECT_TRUE(d.Complete());
    EXPECT_EQ(d.UsesReportIds(), c.numbered);
    EXPECT_EQ(d.UsagePage(), c.page);
    EXPECT_EQ(d.Usage(), c.usage);
    EXPECT_EQ(d.InputReportLength(), c.input);
    EXPECT_EQ(d.OutputReportLength(), c.output);
  }
}

TEST(HidReportDescriptor, ATruncatedDescriptorGivesWhatCameBeforeTheCut) {
  for (std::size_t cut = 0; cut < kBridge.size(); ++cut) {
    const HidReportDescriptor d = HidReportDescriptor::Parse(kBridge.data(), cut);
    EXPECT_LE(d.InputReportLength(), 9) << cut;
    if (cut > 20) {
      EXPECT_EQ(d.InputReportLength(), 9) << cut;
    }
  }
  EXPECT_FALSE(HidReportDescriptor::Parse(kBridge.data(), 13).Complete());  // inside the 0x26 item
}

TEST(HidapiTransport, AMissingPermissionNamesTheFix) {
  const std::string text = HidapiTransport::OpenErrorText("/dev/hidraw4", EACCES);
  for (const char* part : {"/dev/hidraw4", "permission denied", "70-tempovia.rules", "/etc/udev/rules.d/",
                           "udevadm control --reload-rules", "plug it in again", "Watch access on Linux"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_NE(HidapiTransport::OpenErrorText("/dev/hidraw4", ENODEV).find("went away"), std::string::npos);
  EXPECT_NE(HidapiTransport::OpenErrorText("/dev/hidraw4", EBUSY).find("busy"), std::string::npos);
}

TEST(HidapiTransport, OpeningWhatIsNotThereFailsWithAReason) {
  HidapiTransport transport;
  const Status status = transport.Open("/dev/hidraw-that-does-not-exist");
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("went away"), std::string::npos);
  EXPECT_EQ(status.systemError(), ENOENT) << "the probe tells a missing permission by it";
  EXPECT_FALSE(transport.IsOpen());
  std::vector<std::uint8_t> report;
  EXPECT_FALSE(transport.Read(report, std::chrono::milliseconds(1)));
  EXPECT_FALSE(transport.Write(OutputReport{}));
}

TEST(HidapiTransport, ANodeWithoutPermissionIsReportedAsSuch) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may open anything";
  test::TempDir dir;
  const std::string node = (dir.Path() / "hidraw7").string();
  std::ofstream(node).put('x');
  ASSERT_EQ(::chmod(node.c_str(), 0), 0);
  HidapiTransport transport;
  const Status status = transport.Open(node);
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("70-tempovia.rules"), std::string::npos);
  EXPECT_EQ(status.systemError(), EACCES);
}

TEST(HidapiTransport, DescriptorsAreReadFromTheNodesSysfsFolder) {
  EXPECT_EQ(HidapiTransport::DescriptorPath("/dev/hidraw3"), "/sys/class/hidraw/hidraw3/device/report_descriptor");
}

}  // namespace
}  // namespace tempovia
