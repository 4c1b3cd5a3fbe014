#pragma once
// What the fuzz targets share: a scratch folder of the process's own, whole
// file reads and writes, a stop that libFuzzer reports as a crash when a
// property fails, and quiet notices.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "base/Notice.h"

namespace tempovia::fuzz {

// A folder under $TMPDIR (else /tmp) made on first use and removed at exit;
// Fresh() empties it for the next input.
const std::filesystem::path& Scratch();
std::filesystem::path Fresh();

void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// Every regular file under folder with its bytes, by relative path; what a
// refused operation must leave exactly as it was.
struct FileState {
  std::string path;
  std::vector<std::uint8_t> bytes;
  friend bool operator==(const FileState&, const FileState&) = default;
};
std::vector<FileState> Snapshot(const std::filesystem::path& folder);

// Fails, naming the entries that differ, unless both snapshots are equal.
void CheckSameFiles(const std::vector<FileState>& before, const std::vector<FileState>& after, const char* what);

// Reports the broken property and aborts, which libFuzzer keeps as a crash.
[[noreturn]] void Fail(const char* what);
inline void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// Drops the notices the store shows about refused files while it lives.
class QuietNotices final : public NoticeSink {
 public:
  QuietNotices();
  ~QuietNotices() override;
  QuietNotices(const QuietNotices&) = delete;
  QuietNotices& operator=(const QuietNotices&) = delete;
  void Show(const Notice&) override {}

 private:
  NoticeSink* m_previous;
};

}  // namespace tempovia::fuzz
