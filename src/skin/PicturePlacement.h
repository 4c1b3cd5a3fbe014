#pragma once
// Where a picture box draws its picture: unscaled and centred when it is
// smaller than the box both ways, otherwise scaled to fit with its aspect kept.

#include <optional>

#include "skin/SkinLayout.h"

namespace tempovia {

// The rectangle the picture of the given size covers inside the box, or
// nothing for an empty picture.
std::optional<Box> PlacePicture(const Box& box, int pictureWidth, int pictureHeight);

}  // namespace tempovia
