#pragma once
// Byte encodings of the watch memory. The watch keeps every byte with its two
// nibbles exchanged ("stored form"); the program works on the exchanged-back
// "value form". Numbers are BCD, checksums are 8-bit sums.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tempovia {

// Stored form <-> value form: 0x2A <-> 0xA2. Its own inverse.
constexpr std::uint8_t NibbleSwap(std::uint8_t b) {
  return static_cast<std::uint8_t>((b << 4) | (b >> 4));
}

// Reads n value-form bytes as BCD digits, most significant first. The number
// ends at the first nibble above 9: 0x12 0x3A reads 123, 0xA1 0x00 reads 0.
std::int64_t ReadBcd(const std::uint8_t* bytes, std::size_t n);

// ReadBcd divided by a scale (10 or 100) as a double.
double ReadBcdScaled(const std::uint8_t* bytes, std::size_t n, int divisor);

// Writes a value into n BCD bytes (value form), high byte first. Digits that do
// not fit are lost from the top: 12345 in two bytes gives 0x23 0x45. Negative
// values are written as 0 (the watch has no sign).
void WriteBcd(std::int64_t value, std::uint8_t* out, std::size_t n);

// Sum of n bytes modulo 256.
std::uint8_t Sum8(const std::uint8_t* bytes, std::size_t n);

// Date fields of day and exercise blocks, with their range rules.
int DecodeBlockYear(std::uint8_t b);   // BCD; above 35 becomes 0
int DecodeBlockMonth(std::uint8_t b);  // binary; 0 or above 12 becomes 1
int DecodeBlockDay(std::uint8_t b);    // BCD; 0 or above 31 becomes 1

// The clock block exactly as the host writes it at address 9: year - 2000,
// month, day, hour and minute as BCD in stored form, then the 8-bit sum of the
// five value-form bytes, not exchanged.
std::array<std::uint8_t, 6> EncodeClockBlock(int yearsSince2000, int month, int day, int hour, int minute);

// The settings block exactly as the host writes it at address 0: height, weight
// and stride as 4-digit BCD in stored form, the value-form sum of those six
// bytes in stored form, then 0.
std::array<std::uint8_t, 7> EncodeSettingsBlock(int height, int weight, int stride);

}  // namespace tempovia
