#include "UserData.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "StorePaths.h"
#include "Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "UserData";

constexpr RecordFile<LocalUserRecord>::Behaviour kBehaviour{
    "Failed to open User Data", nullptr, true, false, false, true};

// Removes a file a deleted user named, unless the name leads out of the data
// folder or another user still names the same file.
void RemoveUserFile(const std::optional<std::filesystem::path>& file, bool stillNamed) {
  if (!file || stillNamed) return;
  std::error_code error;
  std::filesystem::remove(*file, error);
  if (error) TV_TRACE("Cannot delete %s: %s\n", file->c_str(), error.message().c_str());
}

}  // namespace

UserData::UserData() : RecordFile<LocalUserRecord>(kBehaviour) {}

bool UserData::FindByName(std::string_view name) {
  if (!MoveFirst()) return false;
  do {
    if (Current().name == name) return true;
  } while (MoveNext());
  return false;
}

bool UserData::Append() {
  if (!IsOpen()) return false;
  SaveCopy();
  LocalUserRecord& added = SavedCopy();
  // Ids grow in file order, so the largest is the last one's; taking the
  // largest also keeps a foreign file with unordered ids from handing out an
  // id (and with it the data files) that another user already has.
  std::int32_t id = kFirstId;
  if (GetCount() > 0) {
    id = NextId(IdAt(0));
    for (int i = 1; i < GetCount(); ++i) id = std::max(id, NextId(IdAt(i)));
  }
  added.id = id;
  added.hidden = 0;
  if (added.photo.empty()) added.photo = StorePaths::kBlankPhoto;
  added.stepFile = StorePaths::StepFileName(id);
  added.exerciseFile = StorePaths::ExerciseFileName(id);
  RestoreCopy();
  return WriteRecord(GetCount(), Current());
}

int UserData::Delete(std::int32_t id) {
  if (!FindById(id)) return kNotFound;
  const int position = Index();
  const LocalUserRecord deleted = Current();

  std::vector<std::uint8_t> bytes = AllBytes();
  const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(position) * kSize);
  bytes.erase(from, from + static_cast<std::ptrdiff_t>(kSize));
  if (!RewriteFile(std::move(bytes))) return kNotWritten;

  bool stepNamed = false;
  bool exerciseNamed = false;
  bool photoNamed = false;
  for (int i = 0; i < GetCount(); ++i) {
    const LocalUserRecord other = RecordAt(i);
    for (const std::string* name : {&other.stepFile, &other.exerciseFile}) {
      stepNamed = stepNamed || *name == deleted.stepFile;
      exerciseNamed = exerciseNamed || *name == deleted.exerciseFile;
    }
    photoNamed = photoNamed || other.photo == deleted.photo;
  }
  const std::filesystem::path data = Path().parent_path();
  RemoveUserFile(StorePaths::UserFileIn(data, deleted.stepFile), stepNamed);
  RemoveUserFile(StorePaths::UserFileIn(data, deleted.exerciseFile), exerciseNamed);
  // "blank.jpg" is the name every user without a photo shares.
  RemoveUserFile(StorePaths::PhotoFileIn(data, deleted.photo), photoNamed || deleted.photo == StorePaths::kBlankPhoto);
  return kDeleted;
}

void UserData::ClearCurrent() {
  LocalUserRecord& r = Current();
  r.name.clear();
  r.password.clear();
  r.height = 0;
  r.weight = 0;
  r.walkingStride = 0;
  r.runningStride = 0;
  r.age = 0;
  r.sex = 0;
  r.photo.clear();
  r.stepFile.clear();
}

}  // namespace tempovia
