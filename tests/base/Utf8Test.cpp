#include <gtest/gtest.h>

#include <string>

#include "base/Utf8.h"

namespace tempovia {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Utf8, ValidTextPassesUnchanged) {
  for (const std::string& text : {std::string(), std::string("plain"), std::string("Zo\xC3\xAB \xE2\x82\xAC"),
                                  std::string("\xF0\x9F\x8F\x83 \xF4\x8F\xBF\xBF"), std::string("nul\0in", 6)}) {
    EXPECT_TRUE(IsValidUtf8(text)) << text;
    EXPECT_EQ(ReplaceInvalidUtf8(text), text);
  }
}

TEST(Utf8, EachByteOutsideAValidSequenceBecomesOneReplacement) {
  const struct {
    const char* name;
    std::string bytes;
    std::string shown;
  } cases[] = {
      {"Latin-1 e acute", "caf\xE9", "caf" + kReplacement},
      {"two stray bytes", "\xE9\xE9", kReplacement + kReplacement},
      {"lone continuation byte", "a\x80z", "a" + kReplacement + "z"},
      {"sequence cut off at the end", "x\xE2\x82", "x" + kReplacement + kReplacement},
      {"sequence cut off by a letter", "\xC3z", kReplacement + "z"},
      {"overlong slash", "\xC0\xAF", kReplacement + kReplacement},
      {"surrogate", "\xED\xA0\x80", kReplacement + kReplacement + kReplacement},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", kReplacement + kReplacement + kReplacement + kReplacement},
      {"a valid character after a stray byte", "\xFF\xC3\xAB", kReplacement + "\xC3\xAB"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(IsValidUtf8(c.bytes)) << c.name;
    EXPECT_EQ(ReplaceInvalidUtf8(c.bytes), c.shown) << c.name;
    EXPECT_TRUE(IsValidUtf8(ReplaceInvalidUtf8(c.bytes))) << c.name;
  }
}

TEST(Utf8, DecodesTheCharacterAtAPosition) {
  const std::string text = "a\xC3\xAB\xE2\x82\xAC\xF0\x9F\x8F\x83";
  const struct {
    std::size_t at;
    char32_t codePoint;
    std::size_t length;
  } cases[] = {{0, U'a', 1}, {1, 0xEB, 2}, {3, 0x20AC, 3}, {6, 0x1F3C3, 4}};
  for (const auto& c : cases) {
    const auto decoded = DecodeUtf8(text, c.at);
    ASSERT_TRUE(decoded) << c.at;
    EXPECT_EQ(decoded->codePoint, c.codePoint) << c.at;
    EXPECT_EQ(decoded->length, c.length) << c.at;
  }
  EXPECT_FALSE(DecodeUtf8(text, 2)) << "inside a character";
  EXPECT_FALSE(DecodeUtf8(text, text.size()));
}

TEST(Base64, EncodesTheStandardVectors) {
  const struct {
    std::string bytes;
    const char* encoded;
  } cases[] = {{"", ""},
               {"f", "Zg=="},
               {"fo", "Zm8="},
               {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="},
               {"fooba", "Zm9vYmE="},
               {"foobar", "Zm9vYmFy"},
               {std::string("\xE9\xFF\x00\xFB", 4), "6f8A+w=="}};
  for (const auto& c : cases) EXPECT_EQ(Base64(c.bytes), c.encoded) << c.bytes;
}

}  // namespace
}  // namespace tempovia
