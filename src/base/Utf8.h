#pragma once
// UTF-8 as it comes from outside: file names and arguments are bytes, and
// not every byte sequence is UTF-8 text.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tempovia {

struct Utf8Char {
  char32_t codePoint = 0;
  std::size_t length = 0;  // bytes
};

// The character that starts at byte at of text; nothing when no valid UTF-8
// sequence starts there (a stray byte, a cut-off sequence, an overlong form,
// a surrogate or a code point beyond U+10FFFF).
std::optional<Utf8Char> DecodeUtf8(std::string_view text, std::size_t at);

bool IsValidUtf8(std::string_view text);

// The text with each byte that is not part of a valid sequence replaced by
// U+FFFD, so it can be shown or written as JSON; valid text is unchanged.
std::string ReplaceInvalidUtf8(std::string_view text);

// Standard base64 (RFC 4648, with padding), for handing over bytes that are
// not text.
std::string Base64(std::string_view bytes);

}  // namespace tempovia
