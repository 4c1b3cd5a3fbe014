// The simulator's memory image file (--simulate-watch FILE): a file anyone
// can hand the programs. Only a regular file of exactly 512 bytes is taken;
// the simulated watch then serves it, and a download over the simulated link
// decodes what decoding the file directly gives, or fails as a watch with
// those bytes would (a bad settings checksum) and offers no watch data.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzSupport.h"
#include "base/testing/FakeClock.h"
#include "device/Trekmo.h"
#include "device/WatchSource.h"
#include "records/WatchImage.h"

using namespace tempovia;

namespace {

constexpr std::chrono::year_month_day kLastDay{std::chrono::year{2009}, std::chrono::December, std::chrono::day{31}};

bool SameDays(const StepRecord& a, const StepRecord& b) {
  for (int k = 0; k < kSlotCount; ++k)
    if (a.Slot(k).valid != b.Slot(k).valid || EncodeDayBlock(a.Slot(k)) != EncodeDayBlock(b.Slot(k))) return false;
  return true;
}

bool SameSessions(const CExerciseRecord& a, const CExerciseRecord& b) {
  if (a.Count() != b.Count() || a.Raw() != b.Raw()) return false;
  for (int k = 0; k < kSlotCount; ++k)
    if (a.Order(k) != b.Order(k) || a.Entry(k).valid != b.Entry(k).valid ||
        EncodeExerciseBlock(a.Entry(k)) != EncodeExerciseBlock(b.Entry(k)))
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = fuzz::Fresh() / "watch.img";
  fuzz::WriteBytes(path, {data, size});

  FakeClock clock;
  Status status = Status::Ok();
  const std::unique_ptr<HidTransport> transport = OpenWatchSource({true, path.string()}, clock, kLastDay, status);
  fuzz::Check((transport != nullptr) == status.ok(), "a transport came with a failure, or none without one");
  fuzz::Check(status.ok() == (size == kWatchImageSize), "an image file was judged by other than its size");
  if (!transport) return 0;

  WatchImage image{};
  std::copy_n(data, kWatchImageSize, image.begin());
  const DecodedWatchImage expected = DecodeWatchImage(image);

  CTrekmo driver(*transport, clock);
  fuzz::Check(driver.Connect(nullptr), "the simulated watch does not connect");
  const bool downloaded = driver.Download(false, false);
  fuzz::Check(downloaded == expected.userValid, "a download of the image failed other than on its settings checksum");
  if (downloaded) {
    fuzz::Check(driver.GetUserRecord().Raw() == expected.user.Raw(), "the downloaded user record is not the image's");
    fuzz::Check(SameDays(driver.GetStepRecord(), expected.steps), "the downloaded days are not the image's");
    fuzz::Check(SameSessions(driver.GetExerciseRecord(), expected.exercises),
                "the downloaded sessions are not the image's");
  } else {
    for (int k = 0; k < kSlotCount; ++k) {
      fuzz::Check(driver.GetStepRecord().Slot(k).valid == 0, "a failed download offers a valid day");
      fuzz::Check(driver.GetExerciseRecord().Entry(k).valid == 0, "a failed download offers a valid session");
    }
  }
  WatchImage read{};
  fuzz::Check(driver.ReadImage(read), "the simulated watch's memory cannot be read");
  fuzz::Check(read == image, "the memory read is not the image file");
  return 0;
}
