#include "records/ExerciseRecord.h"

#include "records/ValueEncoding.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "ExerciseRecord";

// A one-byte BCD field that becomes 0 above its limit.
std::uint8_t BcdAtMost(std::uint8_t b, int limit) {
  const auto value = static_cast<int>(ReadBcd(&b, 1));
  return static_cast<std::uint8_t>(value > limit ? 0 : value);
}

}  // namespace

void CExerciseRecord::Clear() {
  m_entries.fill(ExerciseEntry{});
  m_rawLength = 0;
  m_raw.fill(0);
  m_order.fill(0);
  m_count = 0;
}

void CExerciseRecord::Append(std::uint8_t valueByte) {
  if (m_rawLength >= kRawCapacity) return;
  m_raw[static_cast<std::size_t>(m_rawLength++)] = valueByte;
}

bool CExerciseRecord::DecodeBlock(const std::uint8_t* b, ExerciseEntry& e) {
  // Dates run day, month, year and times second, minute, hour: the reverse of a day block.
  e.day = static_cast<std::uint8_t>(DecodeBlockDay(b[0]));
  e.month = static_cast<std::uint8_t>(DecodeBlockMonth(b[1]));
  e.year = static_cast<std::uint8_t>(DecodeBlockYear(b[2]));
  e.startSecond = BcdAtMost(b[3], 59);
  e.startMinute = BcdAtMost(b[4], 59);
  e.startHour = BcdAtMost(b[5], 23);
  e.durationHours = BcdAtMost(b[6], 23);
  e.durationMinutes = BcdAtMost(b[7], 59);
  e.durationSeconds = BcdAtMost(b[8], 59);
  e.durationHundredths = BcdAtMost(b[9], 99);
  e.steps = static_cast<double>(ReadBcd(b + 10, 3));
  e.calories = ReadBcdScaled(b + 13, 3, 10);
  e.distance = ReadBcdScaled(b + 16, 3, 100);
  e.avgSpeed = ReadBcdScaled(b + 19, 3, 100);
  e.avgHeartRate = static_cast<double>(ReadBcd(b + 22, 2));
  e.maxHeartRate = static_cast<double>(ReadBcd(b + 24, 2));
  e.minHeartRate = static_cast<double>(ReadBcd(b + 26, 2));
  e.fatBurnt = ReadBcdScaled(b + 28, 3, 10);
  e.checksum = b[31];
  return Sum8(b, kBlockSize - 1) == b[31];
}

bool CExerciseRecord::Decode() {
  m_count = m_raw[kExerciseCountOffset] & 0x0F;
  if (m_count > kSlotCount) m_count = kSlotCount;

  m_order.fill(kNoPosition);
  for (int e = 0; e < m_count; ++e) {
    const int slot = m_raw[kExerciseOrderOffset + static_cast<std::size_t>(e)] & 0x0F;
    if (slot < kSlotCount) m_order[static_cast<std::size_t>(slot)] = e;
  }

  for (int j = 0; j < m_count; ++j) {
    const std::size_t g = kExerciseBlocksOffset + static_cast<std::size_t>(kBlockSize * j);
    ExerciseEntry& entry = m_entries[static_cast<std::size_t>(j)];
    const bool valid = DecodeBlock(m_raw.data() + g, entry);
    entry.valid = valid ? 1 : 0;
    if (!valid)
      TV_TRACE("Invalid exercise data checksum [day=%d] %02X (%02X)\n", j, entry.checksum,
               Sum8(m_raw.data() + g, kBlockSize - 1));
  }
  return true;
}

const ExerciseEntry& CExerciseRecord::Entry(int index) const {
  static const ExerciseEntry empty{};
  if (index < 0 || index >= kSlotCount) return empty;
  return m_entries[static_cast<std::size_t>(index)];
}

int CExerciseRecord::Order(int slot) const {
  if (slot < 0 || slot >= kSlotCount) return kNoPosition;
  return m_order[static_cast<std::size_t>(slot)];
}

int CExerciseRecord::SlotAtPosition(int position) const {
  if (position < 0 || position >= kSlotCount) return kNoPosition;
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (m_order[static_cast<std::size_t>(slot)] == position) return slot;
  return kNoPosition;
}

}  // namespace tempovia
