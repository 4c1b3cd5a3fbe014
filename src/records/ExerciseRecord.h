#pragma once
// The exercise half of the watch memory (0x100..0x1FF): the order table, the
// session count and up to seven session blocks.

#include <array>
#include <cstdint>

#include "records/ExerciseEntry.h"
#include "records/WatchLayout.h"

namespace tempovia {

class CExerciseRecord {
 public:
  virtual ~CExerciseRecord() = default;

  // Zeroes the raw bytes, the count, every entry and every order entry.
  void Clear();
  // Appends a value-form byte; ignored past 256 bytes.
  void Append(std::uint8_t valueByte);
  // Fills count, order and the entries of slots 0..count-1. Always true: a bad
  // session never fails a download.
  bool Decode();

  // Read access; an index outside 0..6 gives an empty entry / no position.
  const ExerciseEntry& Entry(int index) const;
  // Recency position of the session in slot p, or 31 when no position names it.
  int Order(int slot) const;
  // The slot whose session is at the given recency position (0 = newest), or
  // 31 when no slot has that position.
  int SlotAtPosition(int position) const;
  int Count() const { return m_count; }
  int RawLength() const { return m_rawLength; }
  const std::array<std::uint8_t, kRawCapacity>& Raw() const { return m_raw; }

  // Decodes one 32-byte exercise block (value form) into the fields of an
  // entry, and returns whether its checksum matched.
  static bool DecodeBlock(const std::uint8_t* block, ExerciseEntry& entry);

 private:
  std::array<ExerciseEntry, kSlotCount> m_entries{};
  int m_rawLength = 0;
  std::array<std::uint8_t, kRawCapacity> m_raw{};
  std::array<int, kSlotCount> m_order{};
  int m_count = 0;
};

}  // namespace tempovia
