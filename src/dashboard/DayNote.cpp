#include "dashboard/DayNote.h"

#include "base/Windows1252.h"

namespace tempovia {

namespace {

std::optional<std::string> StoredForm(std::string_view utf8) {
  std::string crlf;
  crlf.reserve(utf8.size() + 8);
  for (char c : utf8) {
    if (c == '\0') return std::nullopt;  // the stored note ends at its first NUL
    if (c == '\n') crlf += '\r';
    if (c != '\r') crlf += c;
  }
  return Utf8ToWindows1252(crlf);
}

}  // namespace

std::optional<std::string> NoteToStored(std::string_view utf8) {
  std::optional<std::string> stored = StoredForm(utf8);
  if (!stored || stored->size() > kMaxNoteBytes) return std::nullopt;
  return stored;
}

std::optional<std::size_t> StoredNoteLength(std::string_view utf8) {
  const std::optional<std::string> stored = StoredForm(utf8);
  if (!stored) return std::nullopt;
  return stored->size();
}

std::string NoteFromStored(std::string_view stored) {
  std::string lf;
  lf.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '\r') {
      lf += '\n';
      if (i + 1 < stored.size() && stored[i + 1] == '\n') ++i;
    } else {
      lf += stored[i];
    }
  }
  return Windows1252ToUtf8(lf);
}

}  // namespace tempovia
