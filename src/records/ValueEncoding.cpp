#include "records/ValueEncoding.h"

namespace tempovia {

std::int64_t ReadBcd(const std::uint8_t* bytes, std::size_t n) {
  std::int64_t value = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int high = bytes[i] >> 4;
    const int low = bytes[i] & 0x0F;
    if (high > 9) return value;
    value = value * 10 + high;
    if (low > 9) return value;
    value = value * 10 + low;
  }
  return value;
}

double ReadBcdScaled(const std::uint8_t* bytes, std::size_t n, int divisor) {
  return static_cast<double>(ReadBcd(bytes, n)) / divisor;
}

void WriteBcd(std::int64_t value, std::uint8_t* out, std::size_t n) {
  // The decimal digits read as hexadecimal: each digit becomes one nibble.
  std::uint64_t packed = 0;
  int shift = 0;
  for (std::uint64_t v = value > 0 ? static_cast<std::uint64_t>(value) : 0; v != 0 && shift < 64; v /= 10, shift += 4)
    packed |= (v % 10) << shift;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t fromLow = n - 1 - i;
    out[i] = fromLow < 8 ? static_cast<std::uint8_t>(packed >> (8 * fromLow)) : 0;
  }
}

std::uint8_t Sum8(const std::uint8_t* bytes, std::size_t n) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += bytes[i];
  return static_cast<std::uint8_t>(sum);
}

int DecodeBlockYear(std::uint8_t b) {
  const auto year = static_cast<int>(ReadBcd(&b, 1));
  return year > 35 ? 0 : year;
}

int DecodeBlockMonth(std::uint8_t b) {
  return b == 0 || b > 12 ? 1 : b;
}

int DecodeBlockDay(std::uint8_t b) {
  const auto day = static_cast<int>(ReadBcd(&b, 1));
  return day == 0 || day > 31 ? 1 : day;
}

std::array<std::uint8_t, 6> EncodeClockBlock(int yearsSince2000, int month, int day, int hour, int minute) {
  std::array<std::uint8_t, 6> block{};
  const int fields[5] = {yearsSince2000, month, day, hour, minute};
  unsigned sum = 0;
  for (int i = 0; i < 5; ++i) {
    WriteBcd(fields[i], &block[i], 1);
    sum += block[i];
    block[i] = NibbleSwap(block[i]);
  }
  block[5] = static_cast<std::uint8_t>(sum);
  return block;
}

std::array<std::uint8_t, 7> EncodeSettingsBlock(int height, int weight, int stride) {
  std::array<std::uint8_t, 7> block{};
  WriteBcd(height, &block[0], 2);
  WriteBcd(weight, &block[2], 2);
  WriteBcd(stride, &block[4], 2);
  const std::uint8_t sum = Sum8(block.data(), 6);
  for (int i = 0; i < 6; ++i) block[i] = NibbleSwap(block[i]);
  block[6] = NibbleSwap(sum);
  return block;
}

}  // namespace tempovia
