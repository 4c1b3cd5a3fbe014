#pragma once
// Every write the store makes to disk goes through the active FileWriter, so
// tests can make any single step fail (a full disk, a folder without
// permission) and check that nothing already stored is lost.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "Status.h"

namespace tempovia {

class FileWriter {
 public:
  virtual ~FileWriter() = default;

  // Each returns 0 on success or the errno value of the failure.
  // Writes every byte at the offset; a failure may leave part of them written.
  virtual int WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset);
  virtual int Truncate(int fd, std::uint64_t length);
  virtual int Sync(int fd);
  // Creates a new, empty file (mode 0600) beside target and opens it for
  // reading and writing; its name starts with a dot and the target's name.
  virtual int CreateTemporary(const std::filesystem::path& target, int& fd, std::filesystem::path& created);
  virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

// The writer in use: the system's, unless a test installed another.
FileWriter& ActiveFileWriter();
// Installs a writer and returns the previous one (nullptr for the system's).
FileWriter* InstallFileWriter(FileWriter* writer);

// "<path>: <the system's text for the error>".
std::string FileErrorText(const std::filesystem::path& path, int error);

// Replaces target with exactly these bytes: a temporary file beside it is
// written, flushed to the disk and renamed over it, so a crash or a failure at
// any step leaves the old file whole. With keepOpen, the new file stays open
// (exclusively locked, for reading and writing) and its descriptor is stored
// there; the caller then owns it.
Status ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes, int* keepOpen = nullptr);

// The same with the content written by fill into the open temporary file (a
// descriptor); fill returns 0 or an errno value.
using FillFile = std::function<int(int fd, FileWriter& writer)>;
Status ReplaceFileWith(const std::filesystem::path& target, const FillFile& fill, int* keepOpen = nullptr);

}  // namespace tempovia
