#include <gtest/gtest.h>

#include "skin/PicturePlacement.h"

namespace tempovia {
namespace {

TEST(PicturePlacement, PlacesPicturesLikeThePhotoBox) {
  const Box box{0, 0, 128, 165};
  struct Case {
    const char* what;
    int width, height;
    Box expected;
  };
  const Case cases[] = {
      {"smaller both ways: unscaled, centred", 100, 100, {14, 32, 100, 100}},
      {"the placeholder: fitted to the width", 145, 177, {0, 4, 128, 156}},
      // Exactly as wide is not smaller, so it is scaled; being taller it then
      // fits the height (an unscaled draw would spill below the box).
      {"as wide and taller: fitted to the height", 128, 200, {11, 0, 105, 165}},
      {"wide landscape photo", 640, 480, {0, 34, 128, 96}},
      {"tiny", 1, 1, {63, 82, 1, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlacePicture(box, c.width, c.height), c.expected) << c.what;
  }
}

TEST(PicturePlacement, OffsetsFollowTheBoxAndEmptyPicturesDrawNothing) {
  EXPECT_EQ(PlacePicture({498, 150, 128, 165}, 100, 100), (Box{512, 182, 100, 100}));
  EXPECT_FALSE(PlacePicture({0, 0, 128, 165}, 0, 0).has_value());
  EXPECT_FALSE(PlacePicture({0, 0, 128, 165}, 100, 0).has_value());
  // Huge pictures do not overflow the arithmetic.
  EXPECT_EQ(PlacePicture({0, 0, 128, 165}, 40000, 60000), (Box{9, 0, 110, 165}));
}

}  // namespace
}  // namespace tempovia
