// Importing a folder someone chose: the import looks at the source folder
// (that its user.dat reads as a user database, and where it lies) before it
// copies anything. The input lays out the source folder: files, folders and links,
// user.dat among them or not, and which folder is chosen. A refused import
// changes no file anywhere; an accepted one leaves the data folder holding
// its old files plus the source's (but for sub-folders holding a user.dat of
// their own, which it names), and never changes the source.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "base/Clock.h"
#include "store/DataTransfer.h"
#include "store/LocalUserRecord.h"
#include "store/StorePaths.h"
#include "store/StoredFile.h"

using namespace tempovia;
namespace fs = std::filesystem;

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool Empty() const { return m_at >= m_size; }
  std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  std::vector<std::uint8_t> Bytes(std::size_t n) {
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < n && m_at < m_size) bytes.push_back(m_data[m_at++]);
    return bytes;
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};

// Names a source may hold; user.dat first, a temporary file of ours among them.
constexpr std::array<const char*, 8> kNames{"user.dat",  "100.dat", "100_exercise.dat", "photos",
                                            "blank.jpg", "sub",     ".user.dat.a1B2c3", "notes"};
// Where a link of the source may lead: inside the source, into our own
// folders, nowhere.
constexpr std::array<const char*, 6> kTargets{"user.dat", "sub",    "../base/data", "../base/data/user.dat",
                                              "../base",  "missing"};

fs::path Named(Input& in) {
  fs::path path = kNames[in.Byte() % kNames.size()];
  if (in.Byte() % 4 == 0) path = fs::path(kNames[in.Byte() % kNames.size()]) / path;
  return path;
}

void LayOut(Input& in, const fs::path& source) {
  fs::create_directories(source);
  std::error_code error;
  for (int entries = 0; entries < 12 && !in.Empty(); ++entries) {
    const std::uint8_t kind = in.Byte() % 4;
    const fs::path path = source / Named(in);
    fs::create_directories(path.parent_path(), error);
    if (kind == 0 || kind == 1) {
      const std::size_t length = in.Byte();
      // A name under a file or a link cannot be made: the layout goes without it.
      const std::vector<std::uint8_t> bytes = in.Bytes(kind == 0 ? length : length * 4);
      if (!fs::exists(fs::symlink_status(path, error)) &&
          fs::is_directory(fs::symlink_status(path.parent_path(), error)))
        fuzz::WriteBytes(path, bytes);
    } else if (kind == 2) {
      fs::create_directories(path, error);
    } else {
      fs::create_symlink(kTargets[in.Byte() % kTargets.size()], path, error);
    }
  }
}

// Regular files reached without passing a link, by relative path.
std::vector<fuzz::FileState> PlainFiles(const fs::path& folder) {
  std::vector<fuzz::FileState> files;
  for (fuzz::FileState& file : fuzz::Snapshot(folder))
    if (file.path.rfind("link:", 0) != 0 && file.path.rfind("dir:", 0) != 0) files.push_back(std::move(file));
  return files;
}

// Whether the folder has an entry of that relative path, of any kind: a
// link to a file inside the source is copied as that file.
bool Holds(const std::vector<fuzz::FileState>& entries, const std::string& path) {
  for (const fuzz::FileState& entry : entries) {
    std::string name = entry.path;
    for (const char* kind : {"link:", "dir:"})
      if (name.rfind(kind, 0) == 0) name = name.substr(std::string(kind).size());
    name = name.substr(0, name.find("->"));
    if (name == path) return true;
  }
  return false;
}

// Whether path lies in folder (or is it), by their names' parts.
bool Within(const fs::path& path, const fs::path& folder) {
  const auto [end, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return end == folder.end();
}

bool InsideAny(const fs::path& path, const std::vector<fs::path>& folders) {
  return std::any_of(folders.begin(), folders.end(), [&](const fs::path& folder) { return Within(path, folder); });
}

const std::vector<std::uint8_t>* Find(const std::vector<fuzz::FileState>& files, const std::string& path) {
  for (const fuzz::FileState& file : files)
    if (file.path == path) return &file.bytes;
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::QuietNotices quiet;
  const fs::path scratch = fuzz::Fresh();
  Input in(data, size);

  const StorePaths paths(scratch / "base");
  fuzz::Check(paths.CreateDataFolder().ok(), "cannot make the data folder");
  if (in.Byte() % 2 == 0) {
    fuzz::WriteBytes(paths.UserDatabase(), std::vector<std::uint8_t>(152, 0));
    fuzz::WriteBytes(paths.DataFolder() / "100.dat", std::vector<std::uint8_t>{1, 2, 3});
  }
  const std::uint8_t chosen = in.Byte() % 8;
  LayOut(in, scratch / "source");
  // Mostly the laid-out folder; sometimes our own folders, or one inside them.
  fs::path source = scratch / "source";
  if (chosen == 1) source = paths.DataFolder();
  if (chosen == 2) source = paths.Base();
  if (chosen == 3) {
    source = paths.DataFolder() / "sub";
    std::error_code moved;
    fs::rename(scratch / "source", source, moved);
    if (moved) return 0;  // the layout put something of that name there through a link
  }
  if (chosen == 4) source = scratch / "source" / "sub";
  // Random bytes are seldom a user database: mostly (and when the input is
  // used up) the source's user.dat becomes one, so that imports go ahead.
  std::error_code kind;
  if (in.Byte() % 4 != 0 && fs::is_regular_file(fs::symlink_status(source / "user.dat", kind))) {
    LocalUserRecord user;
    user.id = 100;
    user.name = "Ann";
    user.stepFile = "100.dat";
    user.exerciseFile = "100_exercise.dat";
    user.photo = "blank.jpg";
    std::vector<std::uint8_t> bytes(LocalUserRecord::kSize);
    user.ToBytes(bytes.data());
    fuzz::WriteBytes(source / "user.dat", bytes);
  }

  const auto everything = fuzz::Snapshot(scratch);
  const auto oldData = PlainFiles(paths.DataFolder());
  const auto sourceFiles = PlainFiles(source);
  const auto sourceEntries = fuzz::Snapshot(source);
  const bool looksRight = CheckImportSource(source).ok();

  const TransferResult result = ImportData(paths, source, LocalDateTime::From(2026, 12, 8, 14, 5, 33));
  if (!looksRight) fuzz::Check(!result.status.ok(), "a folder without a user database was imported");
  if (!result.status.ok()) {
    fuzz::Check(result.backup.empty(), "a refused import names a safety copy");
    fuzz::CheckSameFiles(everything, fuzz::Snapshot(scratch), "a refused import changed files");
    return 0;
  }
  fuzz::Check(result.notCopied.empty(), "an import that gave up on files says it worked");
  const fs::path from = fs::canonical(source);
  for (const fs::path& folder : result.leftOut)
    fuzz::Check(fs::exists(fs::symlink_status(folder / "user.dat")) && folder != from && Within(folder, from),
                "an import left out a folder that is no data folder of the source");
  const auto newData = PlainFiles(paths.DataFolder());
  for (const fuzz::FileState& file : sourceFiles) {
    // Temporary files and folders of ours are left out, with what they hold,
    // and so are the folders the import named.
    const fs::path relative(file.path);
    if (std::any_of(relative.begin(), relative.end(),
                    [](const fs::path& part) { return IsTemporaryName(part.string()); }))
      continue;
    if (InsideAny(from / relative, result.leftOut)) continue;
    const auto* copied = Find(newData, file.path);
    if (copied == nullptr || *copied != file.bytes) std::fprintf(stderr, "not arrived: %s\n", file.path.c_str());
    fuzz::Check(copied != nullptr && *copied == file.bytes, "a file of the source did not arrive whole");
  }
  for (const fuzz::FileState& file : oldData) {
    if (Holds(sourceEntries, file.path)) continue;
    const auto* kept = Find(newData, file.path);
    if (kept == nullptr || *kept != file.bytes) std::fprintf(stderr, "lost: %s\n", file.path.c_str());
    fuzz::Check(kept != nullptr && *kept == file.bytes, "an import lost a file the source does not have");
  }
  if (!result.backup.empty()) {
    const fs::path data = fs::canonical(paths.DataFolder());
    std::vector<fuzz::FileState> backedUp;
    for (const fuzz::FileState& file : oldData)
      if (!InsideAny(data / file.path, result.leftOutOfBackup)) backedUp.push_back(file);
    fuzz::Check(PlainFiles(result.backup) == backedUp, "the safety copy is not the old data folder");
  }
  fuzz::Check(PlainFiles(source) == sourceFiles, "an import changed its source");
  return 0;
}
