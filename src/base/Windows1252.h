#pragma once
// Text fields of stored files are Windows-1252 bytes, so data folders move
// between platforms unchanged. The UI and the command-line tool convert at the
// edge; the core keeps the stored bytes.

#include <optional>
#include <string>
#include <string_view>

namespace tempovia {

// Stored bytes to UTF-8. Every byte has a mapping (the five unassigned ones map
// to the C1 control characters, as Windows does).
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 to stored bytes; nothing when the text is not valid UTF-8 or holds a
// character that Windows-1252 cannot represent.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

}  // namespace tempovia
