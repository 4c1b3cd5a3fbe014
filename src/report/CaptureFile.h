#pragma once
// The file a window picture is written to for one report: made by the
// system's secure call for temporary files, so its name cannot be guessed and
// only its owner may read it (a picture of the window shows the user's data),
// and removed when this object goes, after the report or when the report
// options were cancelled. It is locked (flock) while this object lives, so
// that making a new one can remove the pictures of programs that were killed
// before theirs went, and never one in use.

#include <filesystem>
#include <memory>
#include <string>

namespace tempovia {

class CaptureFile {
 public:
  // A new, empty file ending in ".jpg" in folder (the system's temporary
  // folder when empty), open for writing; nullptr, with the reason in *error,
  // when none can be made. Unlocked pictures of ours (by name and owner) in
  // that folder are left-overs and are removed.
  static std::unique_ptr<CaptureFile> Create(std::string* error = nullptr, const std::filesystem::path& folder = {});

  ~CaptureFile();
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  // The descriptor the picture is written through; -1 once closed.
  int Descriptor() const { return m_fd; }
  // Closes the descriptor; false when the system reports a failed write.
  bool CloseDescriptor();

 private:
  CaptureFile(std::filesystem::path path, int fd, int lockFd) : m_path(std::move(path)), m_fd(fd), m_lockFd(lockFd) {}

  std::filesystem::path m_path;
  int m_fd = -1;
  int m_lockFd = -1;  // holds the lock until the file is removed
};

}  // namespace tempovia
