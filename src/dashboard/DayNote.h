#pragma once
// The day note as stored (Windows-1252, lines ended by CR LF, at most 255
// bytes, as the multi-line edit field of the program's first platform kept
// it) and as the note field shows it (UTF-8, lines ended by LF). Data folders
// move between platforms, so the stored form never changes.

#include <optional>
#include <string>
#include <string_view>

namespace tempovia {

inline constexpr std::size_t kMaxNoteBytes = 255;

// The stored note for the field's text; nothing when a character cannot be
// stored or the note would not fit.
std::optional<std::string> NoteToStored(std::string_view utf8);
// The field's text for a stored note: CR LF (or a lone CR) becomes LF.
std::string NoteFromStored(std::string_view stored);
// Bytes the text would take stored; nothing when a character cannot be stored.
std::optional<std::size_t> StoredNoteLength(std::string_view utf8);

}  // namespace tempovia
