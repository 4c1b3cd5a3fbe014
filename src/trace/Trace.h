#pragma once
// Diagnostic trace for developers. Every piece written is a location prefix
// "%s(%d) : " (module path and line) followed by the message. Nothing here is
// ever shown to the user; by default the pieces are discarded.
//
// A source file names its module once and then traces with TV_TRACE:
//   namespace { constexpr char kTraceModule[] = "StepRecord"; }
//   TV_TRACE("Invalid step data checksum [day=%d] %02X (%02X)\n", i, c, s);

#include <cstddef>
#include <cstdint>
#include <string>

namespace tempovia {

// One trace write: the module name (without the ".\" path prefix), the line and
// the formatted message exactly as written (it carries its own line end).
struct TraceEntry {
  std::string module;
  int line = 0;
  std::string text;

  // ".\Module(12) : text", the form written to standard error.
  std::string Formatted() const;
};

// Receives trace writes while installed (see TraceCapture for tests).
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Write(const TraceEntry& entry) = 0;
};

namespace trace {

// True when a write would go anywhere; callers may skip expensive work when false.
bool Enabled();

// Formats with printf rules and hands the piece to the active sink.
void Write(const char* module, int line, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Hex dump in rows of 16: "Start dumping data : \n", then per row "%04X " with the
// row number, "%02X " per byte and "\n" between rows, then "\n" twice. Each piece
// is its own write.
void DumpBytes(const std::uint8_t* data, std::size_t length);

// Standard error output, as for TEMPOVIA_TRACE=1 or the --trace option.
void SetStandardError(bool on);

// Installs a sink in place of the standard one and returns the previous sink
// (nullptr for the standard one). Used by TraceCapture.
TraceSink* Install(TraceSink* sink);

}  // namespace trace
}  // namespace tempovia

#define TV_TRACE(...) ::tempovia::trace::Write(kTraceModule, __LINE__, __VA_ARGS__)
