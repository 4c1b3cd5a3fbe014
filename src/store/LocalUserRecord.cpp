#include "store/LocalUserRecord.h"

#include <cstring>

#include "base/ByteOrder.h"

namespace tempovia {
namespace {

constexpr std::size_t kName = 4;
constexpr std::size_t kPassword = 35;
constexpr std::size_t kBody = 48;
constexpr std::size_t kAge = 80;
constexpr std::size_t kSex = 84;
constexpr std::size_t kPhoto = 88;
constexpr std::size_t kStepFile = 108;
constexpr std::size_t kExerciseFile = 128;
constexpr std::size_t kHidden = 148;

static_assert(kName + LocalUserRecord::kNameWidth == kPassword);
static_assert(kPassword + LocalUserRecord::kPasswordWidth == kBody);
static_assert(kExerciseFile + LocalUserRecord::kFileNameWidth == kHidden);
static_assert(kHidden + 4 == LocalUserRecord::kSize);

}  // namespace

LocalUserRecord LocalUserRecord::FromBytes(const std::uint8_t* b) {
  LocalUserRecord r;
  r.id = LoadI32LE(b);
  r.name = LoadFixedText(b + kName, kNameWidth);
  r.password = LoadFixedText(b + kPassword, kPasswordWidth);
  r.height = LoadF64LE(b + kBody);
  r.weight = LoadF64LE(b + kBody + 8);
  r.walkingStride = LoadF64LE(b + kBody + 16);
  r.runningStride = LoadF64LE(b + kBody + 24);
  r.age = LoadI32LE(b + kAge);
  r.sex = LoadI32LE(b + kSex);
  r.photo = LoadFixedText(b + kPhoto, kFileNameWidth);
  r.stepFile = LoadFixedText(b + kStepFile, kFileNameWidth);
  r.exerciseFile = LoadFixedText(b + kExerciseFile, kFileNameWidth);
  r.hidden = LoadI32LE(b + kHidden);
  return r;
}

void LocalUserRecord::ToBytes(std::uint8_t* b) const {
  std::memset(b, 0, kSize);
  StoreI32LE(b, id);
  StoreFixedText(b + kName, kNameWidth, name);
  StoreFixedText(b + kPassword, kPasswordWidth, password);
  StoreF64LE(b + kBody, height);
  StoreF64LE(b + kBody + 8, weight);
  StoreF64LE(b + kBody + 16, walkingStride);
  StoreF64LE(b + kBody + 24, runningStride);
  StoreI32LE(b + kAge, age);
  StoreI32LE(b + kSex, sex);
  StoreFixedText(b + kPhoto, kFileNameWidth, photo);
  StoreFixedText(b + kStepFile, kFileNameWidth, stepFile);
  StoreFixedText(b + kExerciseFile, kFileNameWidth, exerciseFile);
  StoreI32LE(b + kHidden, hidden);
}

double LocalUserRecord::BodyMassIndex() const {
  if (height == 0 || weight == 0) return 0;
  const double metres = height / 100;
  return weight / (metres * metres);
}

}  // namespace tempovia
