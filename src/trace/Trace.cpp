#include "trace/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "Global";

struct TraceState {
  std::mutex mutex;
  TraceSink* sink = nullptr;
  bool standardError = false;

  TraceState() {
    const char* env = std::getenv("TEMPOVIA_TRACE");
    standardError = env != nullptr && std::strcmp(env, "1") == 0;
  }
};

TraceState& State() {
  static TraceState state;
  return state;
}

std::string FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  char small[256];
  const int needed = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (needed < 0) return {};
  if (static_cast<std::size_t>(needed) < sizeof small) return std::string(small, static_cast<std::size_t>(needed));
  std::string text(static_cast<std::size_t>(needed), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  return text;
}

}  // namespace

std::string TraceEntry::Formatted() const {
  return ".\\" + module + "(" + std::to_string(line) + ") : " + text;
}

namespace trace {

bool Enabled() {
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  return state.sink != nullptr || state.standardError;
}

void Write(const char* module, int line, const char* format, ...) {
  if (!Enabled()) return;
  va_list args;
  va_start(args, format);
  TraceEntry entry{module, line, FormatV(format, args)};
  va_end(args);

  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.sink != nullptr) {
    state.sink->Write(entry);
  } else if (state.standardError) {
    const std::string text = entry.Formatted();
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }
}

void DumpBytes(const std::uint8_t* data, std::size_t length) {
  if (!Enabled()) return;
  TV_TRACE("Start dumping data : \n");
  std::size_t i = 0;
  while (i < length) {
    TV_TRACE("%04X ", static_cast<unsigned>(i / 16));
    const std::size_t rowEnd = i + 16 < length ? i + 16 : length;
    for (; i < rowEnd; ++i) TV_TRACE("%02X ", data[i]);
    if (i >= length) break;
    TV_TRACE("\n");
  }
  TV_TRACE("\n");
  TV_TRACE("\n");
}

void SetStandardError(bool on) {
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  state.standardError = on;
}

TraceSink* Install(TraceSink* sink) {
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  TraceSink* previous = state.sink;
  state.sink = sink;
  return previous;
}

}  // namespace trace
}  // namespace tempovia
