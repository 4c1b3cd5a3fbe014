#include <gtest/gtest.h>

#include <string>

#include "base/Windows1252.h"

namespace tempovia {
namespace {

TEST(Windows1252, LatinTextAndTheEuroSignConvertBothWays) {
  const std::string utf8 =
      "Zo\xC3\xAB \xE2\x82\xAC"
      "5";  // "Zoë €5"
  const auto bytes = Utf8ToWindows1252(utf8);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, std::string("Zo\xEB \x80"
                                "5"));
  EXPECT_EQ(Windows1252ToUtf8(*bytes), utf8);
}

TEST(Windows1252, EveryStoredByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const auto back = Utf8ToWindows1252(Windows1252ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(Windows1252, RefusesWhatItCannotHold) {
  struct Case {
    const char* name;
    std::string utf8;
  };
  const Case cases[] = {
      {"CJK", "\xE6\x97\xA5\xE6\x9C\xAC"}, {"emoji", "\xF0\x9F\x8F\x83"},  {"lone continuation byte", "a\x80"},
      {"truncated sequence", "\xC3"},      {"overlong slash", "\xC0\xAF"}, {"surrogate", "\xED\xA0\x80"},
  };
  for (const Case& c : cases) EXPECT_FALSE(Utf8ToWindows1252(c.utf8).has_value()) << c.name;
}

}  // namespace
}  // namespace tempovia
