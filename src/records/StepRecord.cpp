#include "records/StepRecord.h"

#include "records/ValueEncoding.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "StepRecord";

// Exercise minutes and seconds above 60 wrap; 60 itself is kept.
int WrapAbove60(int value) {
  while (value > 60) value -= 60;
  return value;
}

}  // namespace

void StepRecord::Clear() {
  m_days.fill(StepDay{});
}

void StepRecord::Append(int slot, std::uint8_t valueByte) {
  if (slot < 0 || slot >= kSlotCount) return;
  StepDay& day = m_days[static_cast<std::size_t>(slot)];
  if (day.rawLength >= kRawCapacity) return;
  day.raw[static_cast<std::size_t>(day.rawLength++)] = valueByte;
}

bool StepRecord::DecodeBlock(const std::uint8_t* b, StepDay& day) {
  day.year = static_cast<std::uint8_t>(DecodeBlockYear(b[0]));
  day.month = static_cast<std::uint8_t>(DecodeBlockMonth(b[1]));
  day.day = static_cast<std::uint8_t>(DecodeBlockDay(b[2]));
  day.steps = static_cast<int>(ReadBcd(b + 3, 3));
  day.calories = ReadBcdScaled(b + 6, 3, 10);
  day.distance = ReadBcdScaled(b + 9, 3, 100);
  day.avgSpeed = ReadBcdScaled(b + 12, 3, 100);
  day.aux1 = static_cast<int>(ReadBcd(b + 15, 2));
  day.aux2 = static_cast<int>(ReadBcd(b + 17, 2));
  day.avgHeartRate = static_cast<int>(ReadBcd(b + 19, 2));
  day.maxHeartRate = static_cast<int>(ReadBcd(b + 21, 2));
  day.minHeartRate = static_cast<int>(ReadBcd(b + 23, 2));
  day.exerciseHours = static_cast<int>(ReadBcd(b + 25, 1));
  day.exerciseMinutes = WrapAbove60(static_cast<int>(ReadBcd(b + 26, 1)));
  day.exerciseSeconds = WrapAbove60(static_cast<int>(ReadBcd(b + 27, 1)));
  day.fatBurnt = ReadBcdScaled(b + 28, 3, 10);
  day.checksum = b[31];
  return Sum8(b, kBlockSize - 1) == b[31];
}

bool StepRecord::Decode() {
  for (int i = 0; i < kSlotCount; ++i) {
    StepDay& day = m_days[static_cast<std::size_t>(i)];
    const bool valid = DecodeBlock(day.raw.data(), day);
    day.valid = valid ? 1 : 0;
    if (!valid)
      TV_TRACE("Invalid step data checksum [day=%d] %02X (%02X)\n", i, day.checksum,
               Sum8(day.raw.data(), kBlockSize - 1));
  }
  return true;
}

const StepDay& StepRecord::Slot(int index) const {
  static const StepDay empty{};
  if (index < 0 || index >= kSlotCount) return empty;
  return m_days[static_cast<std::size_t>(index)];
}

}  // namespace tempovia
