// The watch's memory image as a download decodes it (user record, day
// blocks, exercise half). Beyond not crashing: what the decoders make of any
// image, encoded again, is an image the decoders read back to the same values
// and the same bytes, with every checksum matching.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "records/ValueEncoding.h"
#include "records/WatchImage.h"

using namespace tempovia;

namespace {

int BcdByte(int valueFormByte) {
  const auto b = static_cast<std::uint8_t>(valueFormByte);
  return static_cast<int>(ReadBcd(&b, 1));
}

// The values an image holds, as far as the decoders read them.
WatchImageValues ValuesOf(const DecodedWatchImage& decoded) {
  WatchImageValues v;
  v.height = decoded.user.Height();
  v.weight = decoded.user.Weight();
  v.stride = decoded.user.Stride();
  v.word = decoded.user.Word();
  const auto& clock = decoded.user.Clock();
  v.clockYear = BcdByte(clock[0]);
  v.clockMonth = BcdByte(clock[1]);
  v.clockDay = BcdByte(clock[2]);
  v.clockHour = BcdByte(clock[3]);
  v.clockMinute = BcdByte(clock[4]);
  const auto& userRaw = decoded.user.Raw();
  std::copy_n(userRaw.begin() + kDayOrderOffset, kSlotCount, v.dayOrderTable.begin());
  v.dayCountByte = userRaw[kDayCountOffset];
  v.flags = static_cast<std::uint8_t>(decoded.user.Flags());
  const auto& exerciseRaw = decoded.exercises.Raw();
  std::copy_n(exerciseRaw.begin() + kExerciseOrderOffset, kSlotCount, v.exerciseOrderTable.begin());
  v.exerciseCountByte = exerciseRaw[kExerciseCountOffset];
  for (int k = 0; k < kSlotCount; ++k) {
    v.days[static_cast<std::size_t>(k)] = decoded.steps.Slot(k);
    v.exercises[static_cast<std::size_t>(k)] = decoded.exercises.Entry(k);
  }
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WatchImage image{};
  std::copy_n(data, std::min(size, image.size()), image.begin());

  const DecodedWatchImage decoded = DecodeWatchImage(image);
  UserRecord again = decoded.user;
  fuzz::Check(again.Decode() == decoded.userValid, "decoding the user record twice gives another answer");

  const WatchImage encoded = EncodeWatchImage(ValuesOf(decoded));
  const DecodedWatchImage reread = DecodeWatchImage(encoded);
  fuzz::Check(reread.userValid, "an encoded image's settings checksum does not match");
  for (int k = 0; k < kSlotCount; ++k) {
    fuzz::Check(reread.steps.Slot(k).valid == 1, "an encoded day block's checksum does not match");
    if (k < reread.exercises.Count())
      fuzz::Check(reread.exercises.Entry(k).valid == 1, "an encoded exercise block's checksum does not match");
  }
  fuzz::Check(reread.user.DayCount() == decoded.user.DayCount(), "the day count changed on re-encoding");
  fuzz::Check(reread.exercises.Count() == decoded.exercises.Count(), "the session count changed on re-encoding");
  for (int k = 0; k < kSlotCount; ++k) {
    fuzz::Check(reread.user.DayOrder(k) == decoded.user.DayOrder(k), "the day order changed on re-encoding");
    fuzz::Check(reread.exercises.Order(k) == decoded.exercises.Order(k), "the session order changed on re-encoding");
  }
  fuzz::Check(EncodeWatchImage(ValuesOf(reread)) == encoded, "a decoded image does not re-encode to the same bytes");
  return 0;
}
