#include "CaptureFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "Notice.h"

namespace tempovia {

namespace fs = std::filesystem;

std::unique_ptr<CaptureFile> CaptureFile::Create(std::string* error, const fs::path& folder) {
  std::error_code failure;
  const fs::path where = folder.empty() ? fs::temp_directory_path(failure) : folder;
  if (failure) {
    if (error != nullptr) *error = "No temporary folder: " + failure.message();
    return nullptr;
  }
  constexpr char kSuffix[] = ".jpg";
  std::string pattern = (where / "tempovia-chart-XXXXXX").string() + kSuffix;
  // mkostemps makes the file with mode 0600 and O_EXCL, so a name planted in a
  // shared folder (a link to another file) is never followed.
  const int fd = ::mkostemps(pattern.data(), sizeof kSuffix - 1, O_CLOEXEC);
  if (fd < 0) {
    if (error != nullptr) *error = where.string() + ": " + SystemErrorText(errno);
    return nullptr;
  }
  return std::unique_ptr<CaptureFile>(new CaptureFile(fs::path(pattern), fd));
}

CaptureFile::~CaptureFile() {
  CloseDescriptor();
  ::unlink(m_path.c_str());
}

bool CaptureFile::CloseDescriptor() {
  if (m_fd < 0) return true;
  const int result = ::close(m_fd);
  m_fd = -1;
  return result == 0;
}

}  // namespace tempovia
