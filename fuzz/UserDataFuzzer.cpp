// The user database, user.dat, from anywhere: an imported folder, an older
// version, a hand-edited copy. Reading it changes nothing; what the store
// refuses to write (a user another one could be harmed through) leaves every
// file of the data folder as it was; an accepted update changes one record;
// a deletion never removes a file another user still names.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "RecordFileChecks.h"
#include "store/StorePaths.h"
#include "store/UserData.h"

using namespace tempovia;
namespace fs = std::filesystem;

namespace {

struct UserFile : UserData {
  using Record = LocalUserRecord;
  static constexpr std::size_t kRecordSize = LocalUserRecord::kSize;
};

// Longer than a stored file name can be, so no user can name it.
constexpr char kNobodysFile[] = "nobody-can-name-this-file.dat";

// Lays down the files each user names, where a name may be used at all, and
// one file nobody names.
void LayOutDataFolder(const fs::path& data, const std::vector<LocalUserRecord>& users) {
  fs::create_directories(data / "photos");
  const std::vector<std::uint8_t> marker{'x'};
  fuzz::WriteBytes(data / kNobodysFile, marker);
  for (const LocalUserRecord& user : users) {
    for (const std::string* name : {&user.stepFile, &user.exerciseFile})
      if (const auto path = StorePaths::UserFileIn(data, *name); path && !fs::exists(*path))
        fuzz::WriteBytes(*path, marker);
    if (const auto path = StorePaths::PhotoFileIn(data, user.photo); path && !fs::exists(*path))
      fuzz::WriteBytes(*path, marker);
  }
}

void ReadEverything(UserFile& file) {
  for (int i = 0; i < file.GetCount() && i < 8; ++i) {
    const LocalUserRecord user = file.RecordAt(i);
    file.FindByName(user.name);
    file.FindById(user.id);
    (void)file.CheckUser(user.id);
  }
  (void)file.Problems();
  for (bool more = file.MoveFirst(); more; more = file.MoveNextActive()) {
  }
  file.MoveLastActive();
  while (file.MovePrevActive()) {
  }
}

void CheckUpdate(const fs::path& data, const fs::path& path, int index) {
  const std::vector<std::uint8_t> before = fuzz::ReadBytes(path);
  const auto snapshot = fuzz::Snapshot(data);
  UserFile file;
  fuzz::Check(file.Open(path), "a regular user database does not open");
  const LocalUserRecord user = file.RecordAt(index);
  const bool accepted = file.CheckUser(user.id).ok();
  file.Current() = user;
  file.Current().age ^= 1;  // another age, whatever the stored one
  const bool updated = file.Update(user.id);
  file.Close();
  if (!accepted) {
    fuzz::Check(!updated, "an update the store refuses was written");
    fuzz::CheckSameFiles(snapshot, fuzz::Snapshot(data), "a refused update changed the data folder");
    return;
  }
  fuzz::Check(updated, "an accepted update failed");
  std::size_t first = 0;
  while (LocalUserRecord::FromBytes(before.data() + first * LocalUserRecord::kSize).id != user.id) ++first;
  LocalUserRecord expected = user;
  expected.age ^= 1;
  std::vector<std::uint8_t> after = before;
  const auto bytes = fuzz::BytesOf(expected);
  std::copy(bytes.begin(), bytes.end(), after.begin() + static_cast<std::ptrdiff_t>(first * LocalUserRecord::kSize));
  fuzz::Check(fuzz::ReadBytes(path) == after, "an update changed other bytes than its user's record");
}

void CheckDelete(const fs::path& data, const fs::path& path, std::int32_t id) {
  const auto snapshot = fuzz::Snapshot(data);
  UserFile file;
  fuzz::Check(file.Open(path), "a regular user database does not open");
  const int result = file.Delete(id);
  std::vector<LocalUserRecord> left;
  for (int i = 0; i < file.GetCount(); ++i) left.push_back(file.RecordAt(i));
  file.Close();
  if (result != UserData::kDeleted) {
    fuzz::CheckSameFiles(snapshot, fuzz::Snapshot(data), "a refused deletion changed the data folder");
    return;
  }
  fuzz::Check(fs::exists(data / kNobodysFile), "a deletion removed a file no user names");
  for (const LocalUserRecord& user : left) {
    for (const std::string* name : {&user.stepFile, &user.exerciseFile})
      if (const auto named = StorePaths::UserFileIn(data, *name))
        fuzz::Check(fs::exists(*named), "a deletion removed a data file another user names");
    if (const auto named = StorePaths::PhotoFileIn(data, user.photo))
      fuzz::Check(fs::exists(*named), "a deletion removed a photo another user names");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::QuietNotices quiet;
  const fs::path folder = fuzz::Fresh() / "data";
  fs::create_directories(folder);
  const fs::path path = folder / StorePaths::kUserDatabaseName;
  fuzz::WriteBytes(path, {data, size});

  std::vector<LocalUserRecord> users;
  for (std::size_t i = 0; i + LocalUserRecord::kSize <= size; i += LocalUserRecord::kSize) {
    fuzz::CheckRecordRoundTrip<LocalUserRecord>(data + i);
    users.push_back(LocalUserRecord::FromBytes(data + i));
  }
  LayOutDataFolder(folder, users);
  fuzz::CheckReadsChangeNothing<UserFile>(path, ReadEverything);
  if (users.empty()) return 0;
  CheckUpdate(folder, path, static_cast<int>(users.size() - 1));
  CheckDelete(folder, path, users.front().id);
  return 0;
}
