#include <gtest/gtest.h>

#include "widgets/Windows1252Validator.h"

namespace tempovia {
namespace {

QValidator::State Check(const Windows1252Validator& validator, const QString& text) {
  QString input = text;
  int position = 0;
  return validator.validate(input, position);
}

TEST(Windows1252Validator, AcceptsWhatAFieldCanHoldAndNothingElse) {
  Windows1252Validator validator(4);
  EXPECT_EQ(Check(validator, QString()), QValidator::Acceptable);
  EXPECT_EQ(Check(validator, QString::fromUtf8("\xE2\x82\xAC\xC3\xBF\xC5\x93x")), QValidator::Acceptable);  // €ÿœx
  EXPECT_EQ(Check(validator, QStringLiteral("abcde")), QValidator::Invalid);
  EXPECT_EQ(Check(validator, QString::fromUtf8("a\xCE\xA9")), QValidator::Invalid);         // Ω
  EXPECT_EQ(Check(validator, QString::fromUtf8("\xF0\x9F\x98\x80")), QValidator::Invalid);  // an emoji
  EXPECT_EQ(Check(validator, QString(QChar(0xD800))), QValidator::Invalid);                 // a lone surrogate

  validator.SetStoredText(QStringLiteral("abcdef"));
  EXPECT_EQ(Check(validator, QStringLiteral("abcdef")), QValidator::Acceptable);  // the stored value as it is
  EXPECT_EQ(Check(validator, QStringLiteral("abcdeX")), QValidator::Invalid);     // changed: must fit
  EXPECT_EQ(Check(validator, QStringLiteral("abcd")), QValidator::Acceptable);
}

}  // namespace
}  // namespace tempovia
