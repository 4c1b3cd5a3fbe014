#pragma once
// Little-endian field access for stored records. Records are read and written
// field by field through these, never by overlaying a struct on the bytes.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tempovia {

inline std::uint32_t LoadU32LE(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

inline std::int32_t LoadI32LE(const std::uint8_t* p) {
  return static_cast<std::int32_t>(LoadU32LE(p));
}

inline std::uint64_t LoadU64LE(const std::uint8_t* p) {
  return std::uint64_t(LoadU32LE(p)) | std::uint64_t(LoadU32LE(p + 4)) << 32;
}

inline double LoadF64LE(const std::uint8_t* p) {
  return std::bit_cast<double>(LoadU64LE(p));
}

inline void StoreU32LE(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void StoreI32LE(std::uint8_t* p, std::int32_t v) {
  StoreU32LE(p, static_cast<std::uint32_t>(v));
}

inline void StoreU64LE(std::uint8_t* p, std::uint64_t v) {
  StoreU32LE(p, static_cast<std::uint32_t>(v));
  StoreU32LE(p + 4, static_cast<std::uint32_t>(v >> 32));
}

inline void StoreF64LE(std::uint8_t* p, double v) {
  StoreU64LE(p, std::bit_cast<std::uint64_t>(v));
}

// A fixed-width NUL-terminated text field: the bytes up to the first NUL, or
// the whole width when the field holds no NUL (never beyond it).
inline std::string LoadFixedText(const std::uint8_t* p, std::size_t width) {
  const void* nul = std::memchr(p, 0, width);
  const std::size_t length =
      nul != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - p) : width;
  return std::string(reinterpret_cast<const char*>(p), length);
}

// Writes text into a fixed-width field and zero-fills the rest. A text as wide
// as the field is written whole, without a NUL: that is how a full field
// (legal in a file from elsewhere) reads, and a record written back unchanged
// must not lose its last byte (a password would stop matching, a file name
// would name another file). Longer text is cut so that a NUL follows.
inline void StoreFixedText(std::uint8_t* p, std::size_t width, std::string_view text) {
  if (width == 0) return;
  const std::size_t length = text.size() <= width ? text.size() : width - 1;
  std::memcpy(p, text.data(), length);
  std::memset(p + length, 0, width - length);
}

}  // namespace tempovia
