#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "TempDir.h"
#include "device/WatchSource.h"

namespace tempovia {
namespace {

TEST(WatchSourceTest, AnImageIsExactly512BytesAndARefusalSaysHowManyItHolds) {
  test::TempDir dir;
  const auto path = dir / "week.img";
  const struct {
    std::string bytes;
    const char* said;  // empty: read
  } cases[] = {{std::string(512, '\x07'), ""},
               {"x", "it holds 1 byte, an image holds 512"},
               {"xy", "it holds 2 bytes, an image holds 512"},
               {"", "it holds 0 bytes, an image holds 512"},
               {std::string(513, 'x'), "it holds more than 512 bytes"}};
  for (const auto& c : cases) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    WatchImage image{};
    const Status read = ReadWatchImage(path, image);
    if (*c.said == '\0') {
      EXPECT_TRUE(read) << read.message();
      EXPECT_EQ(image[511], 0x07);
    } else {
      EXPECT_FALSE(read);
      EXPECT_EQ(read.message(), path.string() + " is not a watch memory image: " + c.said);
    }
  }
}

}  // namespace
}  // namespace tempovia
