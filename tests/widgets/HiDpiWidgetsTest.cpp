// The picture box and the label on two screens, at device pixel ratios 1 and 2.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TwoScreens.h"
#include "skin/SkinLayout.h"
#include "widgets/ExStatic.h"
#include "widgets/Label.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

constexpr Rgb kFill{192, 192, 192};
constexpr Rgb kPicture{20, 120, 220};

Rgb At(const QImage& image, int x, int y) {
  return ToRgb(image.pixel(x, y));
}

QImage Shown(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Opaque(const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB32);
}

TEST(HiDpiWidgets, APictureBoxDrawsItsBuiltInPictureAtItsScreensRatio) {
  CExStatic box;
  box.setGeometry(0, 0, kMainWidth, kMainHeight);
  ASSERT_TRUE(box.LoadPicture(Picture::SkinSteps));
  ASSERT_TRUE(test::PutOnScreen(box, 2));
  EXPECT_EQ(box.PictureRect(), QRect(0, 0, 1000, 709));
  EXPECT_EQ(&box.Image(), &BuiltInPicture(Picture::SkinSteps, 2));
  QImage shown = Shown(box);
  EXPECT_EQ(shown.size(), QSize(2000, 1418));
  // Copied pixel for pixel: exactly the picture drawn at ratio 2.
  EXPECT_EQ(shown, Opaque(BuiltInPicture(Picture::SkinSteps, 2)));

  // Moved back to the other screen, it draws at that screen's ratio.
  ASSERT_TRUE(test::PutOnScreen(box, 1));
  shown = Shown(box);
  EXPECT_EQ(shown.size(), QSize(1000, 709));
  EXPECT_EQ(shown, Opaque(BuiltInPicture(Picture::SkinSteps, 1)));
}

TEST(HiDpiWidgets, APhotoKeepsItsPixelsAndItsLogicalPlace) {
  test::TempDir dir;
  QImage photo(100, 100, QImage::Format_RGB32);
  photo.fill(ToQColor(kPicture));
  const QString path = QString::fromStdString((dir / "p.png").string());
  ASSERT_TRUE(photo.save(path, "PNG"));

  CExStatic box;
  box.resize(128, 165);
  ASSERT_TRUE(test::PutOnScreen(box, 2));
  ASSERT_TRUE(box.LoadFromFile(path));
  EXPECT_EQ(box.Image().size(), QSize(100, 100));
  // Placed as at ratio 1: unscaled and centred in logical pixels.
  const QRect place = box.PictureRect();
  EXPECT_EQ(place, QRect(14, 32, 100, 100));
  const QImage shown = Shown(box);
  ASSERT_EQ(shown.size(), QSize(256, 330));
  EXPECT_EQ(At(shown, 2 * place.left() - 1, 2 * place.top() + 10), kFill);
  EXPECT_EQ(At(shown, 2 * place.left(), 2 * place.top()), kPicture);
  EXPECT_EQ(At(shown, 2 * place.right() + 1, 2 * place.bottom() + 1), kPicture);
  EXPECT_EQ(At(shown, 2 * place.right() + 2, 2 * place.bottom() + 1), kFill);
  EXPECT_EQ(At(shown, 2 * place.right() + 1, 2 * place.bottom() + 2), kFill);

  // The placeholder in the same box is fitted by its logical size.
  ASSERT_TRUE(box.LoadPicture(Picture::PhotoPlaceholder));
  EXPECT_EQ(box.PictureRect(), QRect(0, 4, 128, 156));
  EXPECT_EQ(box.Image().devicePixelRatio(), 2);
}

TEST(HiDpiWidgets, ALabelsPictureIsDrawnAtItsRatioInPlaceOfTheText) {
  CLabel label(QStringLiteral("Today"), nullptr);
  label.setGeometry(0, 0, kYearArrowWidth, kYearArrowHeight);
  label.setAlignment(Qt::AlignCenter);
  label.SetBkColor(kCalendarBackground);
  label.SetFontSize(25);
  ASSERT_TRUE(test::PutOnScreen(label, 2));
  const QImage text = Shown(label);
  ASSERT_EQ(text.size(), QSize(44, 80));

  label.SetPicture(Picture::YearPrevious);
  EXPECT_EQ(Shown(label), Opaque(BuiltInPicture(Picture::YearPrevious, 2)));
  // In a wider label the alignment places it, on the label's colour.
  label.resize(kYearArrowWidth + 10, kYearArrowHeight);
  const QImage wider = Shown(label);
  EXPECT_EQ(At(wider, 9, 40), kCalendarBackground);
  EXPECT_EQ(wider.copy(10, 0, 44, 80), Opaque(BuiltInPicture(Picture::YearPrevious, 2)));

  label.resize(kYearArrowWidth, kYearArrowHeight);
  label.SetPicture(std::nullopt);
  EXPECT_EQ(Shown(label), text);
}

}  // namespace
}  // namespace tempovia
