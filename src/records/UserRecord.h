#pragma once
// The first 26 bytes of the watch memory: the body settings last written by
// the host, the clock, the day order table, the day count and the flags.

#include <array>
#include <cstdint>
#include <string>

#include "records/WatchLayout.h"

namespace tempovia {

class UserRecord {
 public:
  // Zeroes the raw bytes and every decoded field.
  void Clear();
  // Appends a value-form byte; ignored past 256 bytes.
  void Append(std::uint8_t valueByte);
  // Fills the fields; false (with a trace line and a hex dump of the record)
  // when the settings checksum does not match.
  bool Decode();

  // Height, weight and walking stride: decoded from the watch, and also the
  // values the driver writes when it writes the settings.
  int Height() const { return m_height; }
  int Weight() const { return m_weight; }
  int Stride() const { return m_stride; }
  void SetHeight(int cm) { m_height = cm; }
  void SetWeight(int kg) { m_weight = kg; }
  void SetStride(int cm) { m_stride = cm; }

  int SettingsChecksum() const { return m_settingsChecksum; }  // stored form
  std::uint16_t Word() const { return m_word; }
  // Bytes 9..13 in value form (still BCD-coded), then byte 14 in stored form.
  const std::array<int, 6>& Clock() const { return m_clock; }
  const std::string& DateText() const { return m_dateText; }  // "YY-MM-DD"
  const std::string& TimeText() const { return m_timeText; }  // "HH:MM [CS]"
  int DayCount() const { return m_dayCount; }
  int Flags() const { return m_flags; }  // value form: 0x10 clock written, 0x20 settings written
  // Recency position of the day in slot p, or 31 when no position names it.
  int DayOrder(int slot) const;
  // The slot whose day is at the given recency position (0 = newest), or 31.
  int SlotAtPosition(int position) const;

  int RawLength() const { return m_rawLength; }
  const std::array<std::uint8_t, kRawCapacity>& Raw() const { return m_raw; }

 private:
  std::array<std::uint8_t, kRawCapacity> m_raw{};
  int m_rawLength = 0;
  std::uint16_t m_word = 0;
  int m_height = 0;
  int m_weight = 0;
  int m_stride = 0;
  int m_settingsChecksum = 0;
  std::array<int, 6> m_clock{};
  std::string m_dateText;
  std::string m_timeText;
  int m_dayCount = 0;
  int m_flags = 0;
  std::array<int, kSlotCount> m_dayOrder{};
};

}  // namespace tempovia
