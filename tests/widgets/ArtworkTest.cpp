#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "skin/SkinLayout.h"
#include "widgets/Artwork.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

Rgb At(const QImage& image, int x, int y) {
  return ToRgb(image.pixel(x, y));
}

// A button is drawn inside its rectangle when the one-pixel ring around the
// rectangle is untouched background (one colour all round) and the drawing
// inside, told apart from that background, spans most of the rectangle.
void ExpectButtonInside(const QImage& image, const HitRect& r, const char* what) {
  SCOPED_TRACE(what);
  const Rgb background = At(image, r.left - 1, r.top - 1);
  for (int x = r.left - 1; x <= r.right + 1; ++x) {
    ASSERT_TRUE(Near(At(image, x, r.top - 1), background, 2)) << "top ring at x=" << x;
    ASSERT_TRUE(Near(At(image, x, r.bottom + 1), background, 2)) << "bottom ring at x=" << x;
  }
  for (int y = r.top - 1; y <= r.bottom + 1; ++y) {
    ASSERT_TRUE(Near(At(image, r.left - 1, y), background, 2)) << "left ring at y=" << y;
    ASSERT_TRUE(Near(At(image, r.right + 1, y), background, 2)) << "right ring at y=" << y;
  }
  int left = r.right, right = r.left, top = r.bottom, bottom = r.top;
  for (int y = r.top; y <= r.bottom; ++y) {
    for (int x = r.left; x <= r.right; ++x) {
      if (Near(At(image, x, y), background, 24)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_GE(right - left + 1, r.Width() * 9 / 10) << "the button fills its rectangle's width";
  EXPECT_GE(bottom - top + 1, r.Height() * 8 / 10) << "the button fills its rectangle's height";
}

// Nothing is drawn there: every pixel of the rectangle has one colour.
void ExpectPlain(const QImage& image, const HitRect& r, const char* what) {
  const Rgb first = At(image, r.left, r.top);
  for (int y = r.top; y <= r.bottom; ++y) {
    for (int x = r.left; x <= r.right; ++x) ASSERT_EQ(At(image, x, y), first) << what << " at " << x << "," << y;
  }
}

// A button of the other skin is not drawn. The exercise table reaches under
// the period buttons' left part, and YEARLY and the table arrows share a few
// rows, so only the pixels clear of the table and of this skin's own buttons
// are looked at: they must all be one colour.
void ExpectAbsent(const QImage& image, ChartKind kind, const HitRect& r, const char* what) {
  auto clear = [kind](int x, int y) {
    if (x < 950) return false;
    for (int area = 0; area < kMainAreaCount; ++area) {
      const HitRect& a = kMainAreas[area];
      if (MainAreaActive(area, kind) && HitRect{a.left - 1, a.top - 1, a.right + 1, a.bottom + 1}.Contains(x, y)) {
        return false;
      }
    }
    return true;
  };
  std::optional<Rgb> first;
  for (int y = r.top; y <= r.bottom; ++y) {
    for (int x = r.left; x <= r.right; ++x) {
      if (!clear(x, y)) continue;
      if (!first) first = At(image, x, y);
      ASSERT_EQ(At(image, x, y), *first) << what << " at " << x << "," << y;
    }
  }
}

TEST(Artwork, PicturesHaveTheSizesTheWindowsExpect) {
  for (ChartKind kind : kAllChartKinds) EXPECT_EQ(BuiltInPicture(SkinPicture(kind)).size(), QSize(1000, 709));
  EXPECT_EQ(BuiltInPicture(Picture::LoginBackground).size(), QSize(kLoginWidth, kLoginHeight));
  EXPECT_EQ(BuiltInPicture(Picture::PhotoPlaceholder).size(), QSize(145, 177));
  EXPECT_EQ(BuiltInPicture(Picture::CalendarDay).size(), QSize(70, 134));
  EXPECT_EQ(BuiltInPicture(Picture::CalendarDayMask).size(), QSize(70, 134));
  EXPECT_EQ(BuiltInPicture(Picture::YearPrevious).size(), QSize(22, 40));
  EXPECT_EQ(BuiltInPicture(Picture::YearNext).size(), QSize(22, 40));
  EXPECT_FALSE(AppIcon().isNull());
  EXPECT_TRUE(IsPicture(178));
  EXPECT_FALSE(IsPicture(179));
  EXPECT_EQ(SkinPicture(ChartKind::ExerciseWalking), Picture::SkinExercise);
  EXPECT_EQ(static_cast<int>(SkinPicture(ChartKind::HeartRate)), 168);
}

TEST(Artwork, EverySkinDrawsItsButtonsInsideTheirHitAreas) {
  const char* names[] = {"UPLOAD",     "PRINT", "CALENDAR", "EXPORT",   "IMPORT",     "SETUP",    "EXIT", "HELP",
                         "LOGOUT",     "EDIT",  "WEEKLY",   "MONTHLY",  "YEARLY",     "previous", "next", "table up",
                         "table down", "STEPS", "DISTANCE", "CALORIES", "HEART RATE", "EXERCISE"};
  for (ChartKind kind : kAllChartKinds) {
    SCOPED_TRACE(ChartKindName(kind));
    const QImage& skin = BuiltInPicture(SkinPicture(kind));
    for (int area = 0; area < kMainAreaCount; ++area) {
      if (MainAreaActive(area, kind)) {
        ExpectButtonInside(skin, kMainAreas[area], names[area]);
      } else {
        ExpectAbsent(skin, kind, kMainAreas[area], names[area]);
      }
    }
  }
}

TEST(Artwork, LabelsSitOnTheirOwnColours) {
  const QImage& skin = BuiltInPicture(Picture::SkinDistance);
  // The value labels cover the right of each row; the row there is the label's colour.
  for (const SummaryRow& row : kSummaryRows) {
    EXPECT_EQ(At(skin, row.label.Right() - 3, row.label.y + row.label.height / 2), row.background) << row.caption;
  }
  for (const InfoRow& row : kInfoRows) {
    EXPECT_EQ(At(skin, row.captionBox.Right() + 2, row.captionBox.y + 10), row.background) << row.caption;
  }
  EXPECT_EQ(At(skin, kMainVersionBox.x + 20, kMainVersionBox.y + 10), kVersionBackground);
  // The chart's area is the chart's own grey.
  EXPECT_EQ(At(skin, kChartBox.x + 400, kChartBox.y + 150), kChartBackground);
}

TEST(Artwork, ExerciseHeadingsStandAboveTheirColumns) {
  const QImage& skin = BuiltInPicture(Picture::SkinExercise);
  auto inkIn = [&](int from, int to) {
    int ink = 0;
    for (int x = from; x < to; ++x) {
      for (int y = 414; y < 452; ++y) {
        const Rgb c = At(skin, x, y);
        if (c.r > 150 && c.g > 150 && c.b > 150) ++ink;  // white letters on the dark band
      }
    }
    return ink;
  };
  for (int c = 0; c < kExerciseColumns; ++c) {
    const Box cell = ExerciseCellBox(0, c);
    EXPECT_GT(inkIn(cell.x, cell.Right()), 30) << kExerciseHeadings[c];
    if (c + 1 < kExerciseColumns) {
      EXPECT_EQ(inkIn(cell.Right(), kExerciseColumnLefts[c + 1]), 0) << "gap after " << kExerciseHeadings[c];
    }
  }
  // The table has no heading band on the chart skins.
  const QImage& steps = BuiltInPicture(Picture::SkinSteps);
  EXPECT_EQ(At(steps, 100, 430), kChartBackground);
}

TEST(Artwork, LoginButtonsAndFieldsFollowTheHotRectangles) {
  const QImage& login = BuiltInPicture(Picture::LoginBackground);
  const char* names[] = {"log in", "new user", "delete user", "previous user", "next user"};
  for (int area = kLoginLogIn; area <= kLoginNextUser; ++area)
    ExpectButtonInside(login, kLoginAreas[area], names[area]);
  // The name label and the password box cover their rectangles exactly: a
  // white field with its frame just outside.
  for (int area : {kLoginNameBox, kLoginPasswordBox}) {
    const HitRect& r = kLoginAreas[area];
    ExpectPlain(login, r, "field");
    EXPECT_EQ(At(login, r.left, r.top), kWhite);
    const Rgb frame = At(login, r.left - 1, r.top - 1);
    EXPECT_NE(frame, kWhite);
    EXPECT_EQ(At(login, r.right + 1, r.bottom + 1), frame);
  }
}

TEST(Artwork, CalendarPictureAndMaskAgreeAtEveryRatio) {
  for (qreal ratio : {1.0, 2.0}) {
    SCOPED_TRACE(ratio);
    const QImage& picture = BuiltInPicture(Picture::CalendarDay, ratio);
    const QImage& mask = BuiltInPicture(Picture::CalendarDayMask, ratio);
    ASSERT_EQ(picture.size(), mask.size());
    int covered = 0;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        const bool seeThrough = At(mask, x, y) == kWhite;
        const bool blank = At(picture, x, y) == kBlack;
        if (seeThrough) {
          ASSERT_TRUE(blank) << "the picture adds nothing where the day shows through: " << x << "," << y;
        } else {
          ++covered;
        }
        if (!blank) {
          ASSERT_FALSE(seeThrough) << x << "," << y;
        }
      }
    }
    EXPECT_GT(covered, picture.width() * picture.height() / 5);
    // Composed, the see-through parts are transparent.
    const QImage composed = ComposeMasked(picture, mask);
    EXPECT_EQ(qAlpha(composed.pixel(0, 0)), 0);
  }
}

TEST(Artwork, YearArrowsPointApartInsideTheirHotRows) {
  const QImage& previous = BuiltInPicture(Picture::YearPrevious);
  const QImage& next = BuiltInPicture(Picture::YearNext);
  for (int y = 36; y < 40; ++y) {
    for (int x = 0; x < 22; ++x) ASSERT_EQ(At(previous, x, y), kCalendarBackground);
  }
  // Each arrow's point (its outermost ink) is at mid-height on its own side.
  auto pointRow = [](const QImage& arrow, bool fromLeft) {
    for (int i = 0; i < 22; ++i) {
      const int x = fromLeft ? i : 21 - i;
      for (int y = 0; y < 36; ++y) {
        if (!Near(At(arrow, x, y), kCalendarBackground, 40)) return std::pair{x, y};
      }
    }
    return std::pair{-1, -1};
  };
  const auto [previousX, previousY] = pointRow(previous, true);
  const auto [nextX, nextY] = pointRow(next, false);
  EXPECT_NEAR(previousY, 18, 2);
  EXPECT_NEAR(nextY, 18, 2);
  EXPECT_LT(previousX, 8);
  EXPECT_GT(nextX, 13);
  // The wide end of each arrow is on the other side.
  EXPECT_TRUE(Near(At(previous, 3, 9), kCalendarBackground, 10));
  EXPECT_FALSE(Near(At(previous, 14, 9), kCalendarBackground, 10));
  EXPECT_TRUE(Near(At(next, 18, 9), kCalendarBackground, 10));
  EXPECT_FALSE(Near(At(next, 7, 9), kCalendarBackground, 10));
}

// A logical pixel at ratio 2 is the 2 x 2 block of device pixels under it.
bool Uniform(const QImage& image, int x, int y) {
  const QRgb first = image.pixel(2 * x, 2 * y);
  return image.pixel(2 * x + 1, 2 * y) == first && image.pixel(2 * x, 2 * y + 1) == first &&
         image.pixel(2 * x + 1, 2 * y + 1) == first;
}

TEST(Artwork, EveryPictureHasOneLogicalSizeAndIsDrawnAtTheRatioAskedFor) {
  for (Picture picture : kAllPictures) {
    SCOPED_TRACE(PictureName(picture));
    const QSize logical = PictureSize(picture);
    const QImage& one = BuiltInPicture(picture);
    EXPECT_EQ(one.size(), logical);
    EXPECT_EQ(one.devicePixelRatio(), 1);
    const QImage& two = BuiltInPicture(picture, 2);
    EXPECT_EQ(two.size(), logical * 2);
    EXPECT_EQ(two.devicePixelRatio(), 2);
    EXPECT_EQ(two.deviceIndependentSize(), QSizeF(logical));
    // Drawn once per ratio and kept.
    EXPECT_EQ(&BuiltInPicture(picture, 2), &two);
    EXPECT_EQ(&BuiltInPicture(picture, 1), &one);
  }
  // A fractional ratio covers the last logical row; a nonsensical one draws at 1.
  const QImage& skin = BuiltInPicture(Picture::SkinSteps, 1.5);
  EXPECT_EQ(skin.size(), QSize(1500, 1064));
  EXPECT_EQ(skin.devicePixelRatio(), 1.5);
  for (qreal bad : {0.0, -2.0, std::numeric_limits<qreal>::quiet_NaN()}) {
    EXPECT_EQ(&BuiltInPicture(Picture::SkinSteps, bad), &BuiltInPicture(Picture::SkinSteps, 1)) << bad;
  }
  EXPECT_TRUE(PictureSize(static_cast<Picture>(179)).isEmpty());
  // The year arrows stay exact mirror images at ratio 2.
  EXPECT_EQ(BuiltInPicture(Picture::YearNext, 2), BuiltInPicture(Picture::YearPrevious, 2).mirrored(true, false));
  const std::vector<QImage>& frames = ProgressFrames(2);
  ASSERT_EQ(frames.size(), ProgressFrames().size());
  EXPECT_EQ(frames.front().size(), ProgressFrames().front().size() * 2);
  EXPECT_EQ(frames.front().devicePixelRatio(), 2);
}

TEST(Artwork, ASkinAtRatioTwoIsDrawnAtThatSizeNotScaledUp) {
  const QImage& skin = BuiltInPicture(Picture::SkinSteps, 2);
  ASSERT_EQ(skin.size(), QSize(2000, 1418));
  const Rgb page{233, 237, 242};
  const Rgb dark{128, 128, 128};   // the lower panel's top line, y = 400
  const Rgb light{166, 166, 166};  // and the line under it
  for (int x : {10, 470, 998}) {
    for (int dx : {0, 1}) {
      const int column = 2 * x + dx;
      SCOPED_TRACE(column);
      // Each one-pixel line covers exactly two device rows in full colour,
      // and the rows beside them are not blended with it.
      EXPECT_EQ(At(skin, column, 799), page);
      EXPECT_EQ(At(skin, column, 800), dark);
      EXPECT_EQ(At(skin, column, 801), dark);
      EXPECT_EQ(At(skin, column, 802), light);
      EXPECT_EQ(At(skin, column, 803), light);
      EXPECT_EQ(At(skin, column, 804), kChartBackground);
    }
  }
  // The summary card's border, a one-pixel line at x = 20, likewise.
  for (int y : {250, 300}) {
    EXPECT_EQ(At(skin, 39, 2 * y), page);
    EXPECT_EQ(At(skin, 40, 2 * y), (Rgb{208, 215, 224}));
    EXPECT_EQ(At(skin, 41, 2 * y), (Rgb{208, 215, 224}));
    EXPECT_EQ(At(skin, 42, 2 * y), kWhite);
  }
  // Not doubled pixels either: the edges of the title's letters fall inside
  // logical pixels.
  int split = 0;
  for (int y = 8; y < 48; ++y) {
    for (int x = 48; x < 196; ++x) split += Uniform(skin, x, y) ? 0 : 1;
  }
  EXPECT_GT(split, 200);
}

TEST(Artwork, ASkinAtRatioOneIsAsItWas) {
  const QImage& skin = BuiltInPicture(Picture::SkinSteps, 1);
  const struct {
    int x, y;
    Rgb colour;
  } known[] = {
      {0, 0, {22, 35, 52}},       {999, 30, {40, 60, 84}},    {20, 250, {208, 215, 224}},  {10, 399, {233, 237, 242}},
      {10, 400, {128, 128, 128}}, {10, 401, {166, 166, 166}}, {10, 402, {149, 149, 149}},  {51, 75, {47, 62, 80}},
      {52, 76, {56, 78, 101}},    {906, 200, {227, 198, 72}}, {600, 300, {192, 192, 192}},
  };
  for (const auto& k : known) EXPECT_EQ(At(skin, k.x, k.y), k.colour) << k.x << "," << k.y;
}

TEST(Artwork, ProgressAnimationMoves) {
  const std::vector<QImage>& frames = ProgressFrames();
  ASSERT_GE(frames.size(), 8u);
  for (std::size_t i = 1; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].size(), frames[0].size());
    EXPECT_NE(frames[i], frames[i - 1]) << "frame " << i;
  }
}

}  // namespace
}  // namespace tempovia
