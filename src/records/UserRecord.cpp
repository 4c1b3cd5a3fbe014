#include "records/UserRecord.h"

#include <cstdio>

#include "records/ValueEncoding.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "UserRecord";

}  // namespace

void UserRecord::Clear() {
  *this = UserRecord{};
}

void UserRecord::Append(std::uint8_t valueByte) {
  if (m_rawLength >= kRawCapacity) return;
  m_raw[static_cast<std::size_t>(m_rawLength++)] = valueByte;
}

bool UserRecord::Decode() {
  // Bytes 6 and 14 are checked in stored form. Work on a copy so that decoding
  // twice gives the same answer.
  std::array<std::uint8_t, kRawCapacity> b = m_raw;
  b[6] = NibbleSwap(b[6]);
  b[14] = NibbleSwap(b[14]);

  m_height = static_cast<int>(ReadBcd(&b[0], 2));
  m_weight = static_cast<int>(ReadBcd(&b[2], 2));
  m_stride = static_cast<int>(ReadBcd(&b[4], 2));
  m_settingsChecksum = b[6];
  for (std::size_t i = 0; i < m_clock.size(); ++i) m_clock[i] = b[9 + i];

  char text[32];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X", b[9], b[10], b[11]);
  m_dateText = text;
  std::snprintf(text, sizeof text, "%02X:%02X [%02X]", b[12], b[13], b[14]);
  m_timeText = text;

  m_dayCount = b[kDayCountOffset] & 0x0F;
  if (m_dayCount > kSlotCount) m_dayCount = kSlotCount;
  m_flags = b[kFlagsAddress];
  m_word = static_cast<std::uint16_t>(b[7] << 8 | b[8]);

  m_dayOrder.fill(kNoPosition);
  for (int i = 0; i < m_dayCount; ++i) {
    const int slot = b[kDayOrderOffset + static_cast<std::size_t>(i)] & 0x0F;
    if (slot < kSlotCount) m_dayOrder[static_cast<std::size_t>(slot)] = i;
  }

  const int sum = NibbleSwap(Sum8(b.data(), 6));
  if (sum != m_settingsChecksum) {
    TV_TRACE("Invalid User Data Checksum : %02X (%02X)\n", m_settingsChecksum, sum);
    trace::DumpBytes(b.data(), kUserRecordLength);
    return false;
  }
  return true;
}

int UserRecord::DayOrder(int slot) const {
  if (slot < 0 || slot >= kSlotCount) return kNoPosition;
  return m_dayOrder[static_cast<std::size_t>(slot)];
}

int UserRecord::SlotAtPosition(int position) const {
  if (position < 0 || position >= kSlotCount) return kNoPosition;
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (m_dayOrder[static_cast<std::size_t>(slot)] == position) return slot;
  return kNoPosition;
}

}  // namespace tempovia
