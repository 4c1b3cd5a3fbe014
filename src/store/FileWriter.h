#pragma once
// Every write the store makes to disk goes through the active FileWriter, so
// tests can make any single step fail (a full disk, a folder without
// permission, a read-only medium) and check that nothing already stored is
// lost. Opening and locking stored files go through it too, so a test can
// stand in for a read-only medium or slip another program's change in
// between opening and locking.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "base/Status.h"

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
  // Swaps two folders in one step (each name then leads to the other's content).
  virtual int Exchange(const std::filesystem::path& first, const std::filesystem::path& second);
  // Opens name inside the open folder folderFd; flags as for openat, a
  // created file gets mode 0600.
  virtual int OpenAt(int folderFd, const std::string& name, int flags, int& fd);
  // Takes the advisory lock of an open file without waiting: exclusive for a
  // writer, shared for a reader. EWOULDBLOCK while another holds it.
  virtual int Lock(int fd, bool exclusive);
  virtual int SetMode(int fd, unsigned mode);
};

// The writer in use: the system's, unless a test installed another.
FileWriter& ActiveFileWriter();
// Installs a writer and returns the previous one (nullptr for the system's).
FileWriter* InstallFileWriter(FileWriter* writer);

// "<path>: <the system's text for the error>".
std::string FileErrorText(const std::filesystem::path& path, int error);

// Who may read a file that replaces another.
enum class NewFileMode {
  OwnerOnly,  // the store's own files: user.dat holds passwords
  Umask,      // what the user saves elsewhere (a report, an image): as any new file of theirs
};

// Replaces target with exactly these bytes: a temporary file beside it is
// written, flushed to the disk and renamed over it, so a crash or a failure at
// any step leaves the old file whole. With keepOpen, the new file stays open
// (exclusively locked, for reading and writing) and its descriptor is stored
// there; the caller then owns it.
Status ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes, int* keepOpen = nullptr,
                   NewFileMode mode = NewFileMode::OwnerOnly);

// The same with the content written by fill into the open temporary file (a
// descriptor); fill returns 0 or an errno value.
using FillFile = std::function<int(int fd, FileWriter& writer)>;
Status ReplaceFileWith(const std::filesystem::path& target, const FillFile& fill, int* keepOpen = nullptr,
                       NewFileMode mode = NewFileMode::OwnerOnly);

// Saves a file the user named (a report, a memory image): refuses an empty
// name and a path that is a folder, a device, a pipe or a symbolic link, and
// replaces a regular file only once every byte is on the disk (ReplaceFile).
// The saved file gets the permissions the user's umask gives a new file.
Status SaveUserFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

}  // namespace tempovia
