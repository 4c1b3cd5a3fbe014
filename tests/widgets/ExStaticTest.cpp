#include <gtest/gtest.h>

#include <QFile>

#include "TempDir.h"
#include "widgets/ExStatic.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

constexpr Rgb kFill{192, 192, 192};
constexpr Rgb kPicture{20, 120, 220};

QImage Solid(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(ToQColor(kPicture));
  return image;
}

std::string SaveSolid(const test::TempDir& dir, const char* name, int width, int height, const char* format) {
  const std::string path = (dir / std::string(name)).string();
  EXPECT_TRUE(Solid(width, height).save(QString::fromStdString(path), format));
  return path;
}

TEST(ExStatic, PicturesLandWhereThePlacementRulesSay) {
  test::TempDir dir;
  struct Case {
    const char* what;
    int width, height;
    QRect expected;
  };
  const Case cases[] = {
      {"smaller: unscaled and centred", 100, 100, QRect(14, 32, 100, 100)},
      {"the placeholder's size: fitted to the width", 145, 177, QRect(0, 4, 128, 156)},
      {"as wide as the box and taller: scaled", 128, 200, QRect(11, 0, 105, 165)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CExStatic box;
    box.resize(128, 165);
    ASSERT_TRUE(box.LoadFromFile(QString::fromStdString(SaveSolid(dir, "p.png", c.width, c.height, "PNG"))));
    EXPECT_EQ(box.PictureRect(), c.expected);
    const QImage shown = box.grab().toImage();
    const QRect r = c.expected;
    // The picture's corners are inside, the pixels just beyond them are the fill.
    EXPECT_EQ(ToRgb(shown.pixel(r.left() + 1, r.top() + 1)), kPicture);
    EXPECT_EQ(ToRgb(shown.pixel(r.right() - 1, r.bottom() - 1)), kPicture);
    if (r.top() > 0) {
      EXPECT_EQ(ToRgb(shown.pixel(r.center().x(), r.top() - 1)), kFill);
    }
    if (r.left() > 0) {
      EXPECT_EQ(ToRgb(shown.pixel(r.left() - 1, r.center().y())), kFill);
    }
    if (r.bottom() < 164) {
      EXPECT_EQ(ToRgb(shown.pixel(r.center().x(), r.bottom() + 1)), kFill);
    }
  }
}

TEST(ExStatic, FormatComesFromTheContentAndFailuresLeaveAnEmptyBox) {
  test::TempDir dir;
  CExStatic box;
  box.resize(128, 165);
  // A PNG file named like a JPEG still loads.
  ASSERT_TRUE(box.LoadFromFile(QString::fromStdString(SaveSolid(dir, "photo.jpg", 50, 60, "PNG"))));
  EXPECT_EQ(box.Image().size(), QSize(50, 60));

  const std::string junk = (dir / "junk.png").string();
  QFile file(QString::fromStdString(junk));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is not a picture");
  file.close();
  EXPECT_FALSE(box.LoadFromFile(QString::fromStdString(junk)));
  EXPECT_FALSE(box.LoadFromFile(QString::fromStdString((dir / "missing.png").string())));
  EXPECT_TRUE(box.Image().isNull());
  EXPECT_TRUE(box.PictureRect().isEmpty());
  const QImage shown = box.grab().toImage();
  EXPECT_EQ(ToRgb(shown.pixel(64, 82)), kFill);  // nothing but the fill

  EXPECT_TRUE(box.LoadPicture(Picture::PhotoPlaceholder));
  EXPECT_EQ(box.Image().size(), QSize(145, 177));
  EXPECT_EQ(box.PictureRect(), QRect(0, 4, 128, 156));
}

}  // namespace
}  // namespace tempovia
