#include <gtest/gtest.h>

#include <QFontInfo>
#include <memory>

#include "widgets/Label.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

Rgb PixelAt(QWidget& widget, int x, int y) {
  return ToRgb(widget.grab().toImage().pixel(x, y));
}

TEST(Label, RepeatedBackgroundChangesKeepOneBrushPerLabel) {
  const int before = CLabel::LiveBackgroundBrushes();
  {
    CLabel label;
    EXPECT_EQ(CLabel::LiveBackgroundBrushes(), before + 1);
    for (Rgb colour : {Rgb{247, 198, 0}, Rgb{133, 194, 39}, Rgb{216, 41, 24}}) label.SetBkColor(colour);
    EXPECT_EQ(CLabel::LiveBackgroundBrushes(), before + 1);
    auto second = std::make_unique<CLabel>();
    second->SetBkColor({1, 2, 3});
    EXPECT_EQ(CLabel::LiveBackgroundBrushes(), before + 2);
    second.reset();
    EXPECT_EQ(CLabel::LiveBackgroundBrushes(), before + 1);
  }
  EXPECT_EQ(CLabel::LiveBackgroundBrushes(), before);
}

TEST(Label, PaintsTheLatestBackgroundAndItsTextColour) {
  CLabel label(QStringLiteral("11234"), nullptr);
  label.resize(143, 18);
  label.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label.SetBkColor({103, 123, 182});
  label.SetBkColor({247, 198, 0});
  label.SetTextColor(kWhite);
  label.SetFontSize(12);
  label.SetFontBold(true);
  const QImage image = label.grab().toImage();
  EXPECT_EQ(ToRgb(image.pixel(3, 9)), (Rgb{247, 198, 0}));  // left of the right-aligned text
  int white = 0;
  for (int x = 90; x < 143; ++x) {
    for (int y = 0; y < 18; ++y) {
      if (ToRgb(image.pixel(x, y)) == kWhite) ++white;
    }
  }
  EXPECT_GT(white, 10) << "the text is drawn in the text colour on the right";
  EXPECT_EQ(label.BkColor(), (Rgb{247, 198, 0}));
  EXPECT_EQ(label.TextColor(), kWhite);
}

TEST(Label, FontSettingsRebuildTheFont) {
  CLabel label;
  label.SetFontName(QStringLiteral("Arial"));
  label.SetFontSize(14);
  label.SetFontBold(true);
  EXPECT_EQ(label.font().pixelSize(), 14);
  EXPECT_EQ(label.font().weight(), QFont::Bold);
  EXPECT_EQ(QFontInfo(label.font()).family(), QStringLiteral("Liberation Sans"));
  label.SetFontBold(false);
  EXPECT_EQ(label.font().weight(), QFont::Normal);
  label.SetFontName(QStringLiteral("Tahoma"));
  EXPECT_EQ(QFontInfo(label.font()).family(), QStringLiteral("DejaVu Sans Condensed"));
  label.SetText(QStringLiteral("Name:"));
  EXPECT_EQ(label.text(), QStringLiteral("Name:"));
  EXPECT_EQ(PixelAt(label, 0, 0), label.BkColor());
}

}  // namespace
}  // namespace tempovia
