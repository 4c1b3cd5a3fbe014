#pragma once
// The seven day slots of a download: bytes arrive per slot, then Decode fills
// each StepDay and checks its sum.

#include <array>
#include <cstdint>

#include "records/StepDay.h"

namespace tempovia {

class StepRecord {
 public:
  // Zeroes all seven slots.
  void Clear();
  // Appends a value-form byte to a slot; ignored past 256 bytes or for a slot
  // outside 0..6.
  void Append(int slot, std::uint8_t valueByte);
  // Decodes every slot; a bad checksum leaves that slot's valid at 0 and is
  // traced. Always true: a bad day never fails a download.
  bool Decode();

  // Read access; an index outside 0..6 gives an empty day.
  const StepDay& Slot(int index) const;

  // Decodes one 32-byte day block (value form) into the date and figure fields
  // of a day, and returns whether its checksum matched.
  static bool DecodeBlock(const std::uint8_t* block, StepDay& day);

 private:
  std::array<StepDay, kSlotCount> m_days{};
};

}  // namespace tempovia
