#include "skin/PicturePlacement.h"

namespace tempovia {

std::optional<Box> PlacePicture(const Box& box, int pictureWidth, int pictureHeight) {
  const int w = box.width;
  const int h = box.height;
  const int pw = pictureWidth;
  const int ph = pictureHeight;
  if (pw <= 0 || ph <= 0) return std::nullopt;
  if (pw < w && ph < h) return Box{box.x + (w - pw) / 2, box.y + (h - ph) / 2, pw, ph};
  // 64-bit products: a large photo times a large box must not overflow.
  if (static_cast<double>(h) / ph >= static_cast<double>(w) / pw) {
    const int height = static_cast<int>(static_cast<long long>(w) * ph / pw);
    return Box{box.x, box.y + (h - height) / 2, w, height};
  }
  const int width = static_cast<int>(static_cast<long long>(h) * pw / ph);
  return Box{box.x + (w - width) / 2, box.y, width, h};
}

}  // namespace tempovia
