#include "trace/testing/TraceCapture.h"

namespace tempovia {

TraceCapture::TraceCapture() : m_previous(trace::Install(this)) {}

TraceCapture::~TraceCapture() {
  trace::Install(m_previous);
}

void TraceCapture::Write(const TraceEntry& entry) {
  m_entries.push_back(entry);
}

std::vector<std::string> TraceCapture::Messages() const {
  std::vector<std::string> messages;
  messages.reserve(m_entries.size());
  for (const TraceEntry& entry : m_entries) messages.push_back(entry.text);
  return messages;
}

std::string TraceCapture::Text() const {
  std::string text;
  for (const TraceEntry& entry : m_entries) text += entry.text;
  return text;
}

bool TraceCapture::Contains(std::string_view text) const {
  for (const TraceEntry& entry : m_entries)
    if (entry.text.find(text) != std::string::npos) return true;
  return false;
}

}  // namespace tempovia
