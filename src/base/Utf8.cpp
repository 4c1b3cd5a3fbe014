#include "base/Utf8.h"

#include <cstdint>

namespace tempovia {

std::optional<Utf8Char> DecodeUtf8(std::string_view text, std::size_t at) {
  if (at >= text.size()) return std::nullopt;
  const auto lead = static_cast<std::uint8_t>(text[at]);
  char32_t c = 0;
  std::size_t extra = 0;
  if (lead < 0x80) {
    return Utf8Char{lead, 1};
  } else if ((lead & 0xE0) == 0xC0) {
    c = lead & 0x1F;
    extra = 1;
  } else if ((lead & 0xF0) == 0xE0) {
    c = lead & 0x0F;
    extra = 2;
  } else if ((lead & 0xF8) == 0xF0) {
    c = lead & 0x07;
    extra = 3;
  } else {
    return std::nullopt;
  }
  for (std::size_t k = 1; k <= extra; ++k) {
    if (at + k >= text.size()) return std::nullopt;
    const auto next = static_cast<std::uint8_t>(text[at + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms and surrogates are not valid UTF-8.
  if ((extra == 1 && c < 0x80) || (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000) ||
      (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
    return std::nullopt;
  return Utf8Char{c, extra + 1};
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::optional<Utf8Char> c = DecodeUtf8(text, i);
    if (!c) return false;
    i += c->length;
  }
  return true;
}

std::string ReplaceInvalidUtf8(std::string_view text) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (const std::optional<Utf8Char> c = DecodeUtf8(text, i)) {
      out.append(text.substr(i, c->length));
      i += c->length;
    } else {
      out.append(kReplacement);
      ++i;
    }
  }
  return out;
}

std::string Base64(std::string_view bytes) {
  constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k)
      group = (group << 8) | (k < count ? static_cast<std::uint8_t>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= count ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
  }
  return out;
}

}  // namespace tempovia
