#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tempovia::fuzz {
namespace fs = std::filesystem;

namespace {

class ScratchFolder {
 public:
  ScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tempovia-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) Fail("cannot make a scratch folder");
    m_path = pattern;
  }
  ~ScratchFolder() {
    std::error_code error;
    fs::remove_all(m_path, error);
  }
  const fs::path& Path() const { return m_path; }

 private:
  fs::path m_path;
};

}  // namespace

const fs::path& Scratch() {
  static const ScratchFolder folder;
  return folder.Path();
}

fs::path Fresh() {
  const fs::path& folder = Scratch();
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    // Fuzzed folders may have taken their own write permission away.
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(entry.path(), error);
  }
  return folder;
}

void WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("cannot write a scratch file");
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<FileState> Snapshot(const fs::path& folder) {
  std::vector<FileState> files;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::end(it); it.increment(error)) {
    if (it->is_symlink(error)) {
      files.push_back({"link:" + it->path().lexically_relative(folder).string() + "->" +
                           fs::read_symlink(it->path(), error).string(),
                       {}});
    } else if (it->is_regular_file(error)) {
      files.push_back({it->path().lexically_relative(folder).string(), ReadBytes(it->path())});
    } else if (it->is_directory(error)) {
      files.push_back({"dir:" + it->path().lexically_relative(folder).string(), {}});
    }
  }
  std::sort(files.begin(), files.end(), [](const FileState& a, const FileState& b) { return a.path < b.path; });
  return files;
}

void CheckSameFiles(const std::vector<FileState>& before, const std::vector<FileState>& after, const char* what) {
  if (before == after) return;
  for (const FileState& file : before)
    if (std::find(after.begin(), after.end(), file) == after.end())
      std::fprintf(stderr, "before only: %s (%zu bytes)\n", file.path.c_str(), file.bytes.size());
  for (const FileState& file : after)
    if (std::find(before.begin(), before.end(), file) == before.end())
      std::fprintf(stderr, "after only: %s (%zu bytes)\n", file.path.c_str(), file.bytes.size());
  Fail(what);
}

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz property broken: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

QuietNotices::QuietNotices() : m_previous(InstallNoticeSink(this)) {}

QuietNotices::~QuietNotices() {
  InstallNoticeSink(m_previous);
}

}  // namespace tempovia::fuzz
