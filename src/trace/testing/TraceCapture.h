#pragma once
// Collects trace writes while alive, so tests can assert what was traced.

#include <string>
#include <string_view>
#include <vector>

#include "trace/Trace.h"

namespace tempovia {

class TraceCapture final : public TraceSink {
 public:
  TraceCapture();
  ~TraceCapture() override;
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  void Write(const TraceEntry& entry) override;

  const std::vector<TraceEntry>& Entries() const { return m_entries; }
  // The message texts in order, without prefixes.
  std::vector<std::string> Messages() const;
  // All message texts joined, without prefixes.
  std::string Text() const;
  bool Contains(std::string_view text) const;
  void Clear() { m_entries.clear(); }

 private:
  std::vector<TraceEntry> m_entries;
  TraceSink* m_previous = nullptr;
};

}  // namespace tempovia
