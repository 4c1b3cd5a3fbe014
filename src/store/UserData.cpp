#include "store/UserData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/Notice.h"
#include "base/Windows1252.h"
#include "store/FileWriter.h"
#include "store/FolderCopy.h"
#include "store/StepGoal.h"
#include "store/StorePaths.h"
#include "store/StoredFile.h"
#include "trace/Trace.h"

namespace tempovia {
namespace {

constexpr char kTraceModule[] = "UserData";

constexpr RecordFile<LocalUserRecord>::Behaviour kBehaviour{"Failed to open User Data", nullptr, false, false, false};

constexpr char kUntilCorrected[] = "; nothing is written for them until user.dat is corrected";

std::string Shown(const LocalUserRecord& user) {
  std::string shown = "\"";
  shown += Windows1252ToUtf8(user.name);
  shown += '"';
  return shown;
}

// Removes a file a deleted user named, unless the name leads out of the data
// folder or another user still names the same file.
void RemoveUserFile(const std::filesystem::path& folder, const char* subfolder, const std::string& name, bool plain,
                    bool stillNamed) {
  if (!plain || stillNamed) return;
  if (const int error = RemoveStoredEntry(folder, subfolder, name); error != 0 && error != ENOENT)
    TV_TRACE("Cannot delete %s: %s\n", name.c_str(), SystemErrorText(error).c_str());
}

// Moves one entry between two open folders, keeping its name; across disks
// (a data folder that is a link to another disk) a file is copied instead.
int MoveEntry(int fromFd, const std::filesystem::path& from, int toFd, const std::filesystem::path& to,
              const std::string& name) {
  if (::renameat(fromFd, name.c_str(), toFd, name.c_str()) == 0) return 0;
  if (errno != EXDEV) return errno;
  struct stat info {};
  if (::fstatat(fromFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  if (!S_ISREG(info.st_mode)) return EXDEV;
  if (!CopyFileReplacing(from / name, to / name)) return EIO;
  return ::unlinkat(fromFd, name.c_str(), 0) == 0 ? 0 : errno;
}

// A file descriptor of an open folder, closed when it goes.
class FolderFd {
 public:
  explicit FolderFd(const std::filesystem::path& folder)
      : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)), m_error(m_fd < 0 ? errno : 0) {}
  ~FolderFd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FolderFd(const FolderFd&) = delete;
  FolderFd& operator=(const FolderFd&) = delete;
  int Get() const { return m_fd; }
  int Error() const { return m_error; }

 private:
  int m_fd;
  int m_error;
};

}  // namespace

UserData::UserData() : RecordFile<LocalUserRecord>(kBehaviour) {}

std::vector<LocalUserRecord> UserData::All() const {
  std::vector<LocalUserRecord> users;
  users.reserve(static_cast<std::size_t>(GetCount()));
  for (int i = 0; i < GetCount(); ++i) users.push_back(RecordAt(i));
  return users;
}

std::vector<LocalUserRecord> UserData::Active() const {
  std::vector<LocalUserRecord> users;
  for (int i = 0; i < GetCount(); ++i) {
    LocalUserRecord user = RecordAt(i);
    if (user.hidden == 0) users.push_back(std::move(user));
  }
  return users;
}

std::optional<LocalUserRecord> UserData::Find(std::int32_t id) const {
  for (int i = 0; i < GetCount(); ++i)
    if (IdAt(i) == id) return RecordAt(i);
  return std::nullopt;
}

std::optional<LocalUserRecord> UserData::FindNamed(std::string_view name) const {
  for (int i = 0; i < GetCount(); ++i) {
    LocalUserRecord user = RecordAt(i);
    if (user.name == name) return user;
  }
  return std::nullopt;
}

Status UserData::Store(const LocalUserRecord& user) {
  if (!CanWrite()) return Status::Error(LastError());
  int index = -1;
  for (int i = 0; i < GetCount() && index < 0; ++i)
    if (IdAt(i) == user.id) index = i;
  if (index < 0) {
    SetLastError("No user with the id " + std::to_string(user.id) +
                 " is in the user database any more (deleted meanwhile?); the record was not saved");
    return Status::Error(LastError());
  }
  if (Status allowed = CheckUser(user.id); !allowed) {
    SetLastError(allowed.message());
    return allowed;
  }
  if (!WriteRecord(index, user)) return Status::Error(LastError());
  return Status::Ok();
}

Status UserData::Add(LocalUserRecord& user, const StorePaths& paths, const LocalDateTime& now, NewUserFiles* found) {
  const LocalUserRecord kept = Current();
  Current() = user;
  const Status added = AddNew(paths, now, found);
  if (added) user = Current();
  Current() = kept;
  return added;
}

bool UserData::FindByName(std::string_view name) {
  if (!MoveFirst()) return false;
  do {
    if (Current().name == name) return true;
  } while (MoveNext());
  return false;
}

bool UserData::Append() {
  if (!CanWrite()) return false;
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

std::int32_t UserData::UnusedId() const {
  std::int32_t id = kFirstId;
  for (int i = 0; i < GetCount(); ++i) id = std::max(id, NextId(IdAt(i)));
  // A foreign user.dat may already name the files this id would get (say a
  // user 100 whose exercise file is "101.dat"); those belong to someone.
  const auto named = [this](const std::string& name) {
    for (int i = 0; i < GetCount(); ++i) {
      const LocalUserRecord other = RecordAt(i);
      if (other.stepFile == name || other.exerciseFile == name) return true;
    }
    return false;
  };
  for (int tries = 0;
       tries <= GetCount() && (named(StorePaths::StepFileName(id)) || named(StorePaths::ExerciseFileName(id))); ++tries)
    id = NextId(id);
  return id;
}

namespace {

// The data folder while a new user is added: the files an earlier user left
// under the new user's names are moved aside and the new user's empty files
// made, and a later failure puts everything back as it was.
class NewUserFolder {
 public:
  explicit NewUserFolder(const std::filesystem::path& data) : m_data(data), m_dataFd(data) {}
  NewUserFolder(const NewUserFolder&) = delete;
  NewUserFolder& operator=(const NewUserFolder&) = delete;

  Status Opened() const {
    if (m_dataFd.Get() >= 0) return Status::Ok();
    return Status::Error("The new user could not be saved: " + FileErrorText(m_data, m_dataFd.Error()));
  }

  // Files an earlier user with this id left behind (an import brings such
  // files) would show that user's days as the new user's.
  Status MoveAside(const StorePaths& paths, std::int32_t id, const LocalDateTime& now,
                   std::initializer_list<std::string> names) {
    std::vector<std::string> inTheWay;
    for (const std::string& name : names) {
      struct stat info {};
      if (::fstatat(m_dataFd.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) inTheWay.push_back(name);
    }
    if (inTheWay.empty()) return Status::Ok();
    const std::string folderName = "Old files of user " + std::to_string(id) + " " + DateTimeName(now);
    if (Status made = CreateOwnFolder(paths.BackupsFolder(), folderName, m_aside); !made)
      return Status::Error("The new user was not added: files under the new user's names could not be moved aside. " +
                           made.message());
    m_asideFd = std::make_unique<FolderFd>(m_aside);
    for (const std::string& name : inTheWay) {
      const int error = m_asideFd->Get() < 0 ? m_asideFd->Error()
                                             : MoveEntry(m_dataFd.Get(), m_data, m_asideFd->Get(), m_aside, name);
      if (error != 0) {
        Undo();
        return Status::Error("The new user was not added: " + (m_data / name).string() + " could not be moved aside (" +
                             SystemErrorText(error) + ")");
      }
      m_moved.push_back(name);
    }
    return Status::Ok();
  }

  // Makes each file empty; none may exist yet.
  Status CreateEmpty(std::initializer_list<std::string> names) {
    FileWriter& writer = ActiveFileWriter();
    for (const std::string& name : names) {
      int fd = -1;
      const int error = writer.OpenAt(m_dataFd.Get(), name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, fd);
      if (error != 0) {
        Undo();
        return Status::Error("The new user was not added: " + FileErrorText(m_data / name, error));
      }
      ::close(fd);
      m_created.push_back(name);
    }
    return Status::Ok();
  }

  void Undo() {
    for (const std::string& name : m_created) ::unlinkat(m_dataFd.Get(), name.c_str(), 0);
    for (const std::string& name : m_moved) MoveEntry(m_asideFd->Get(), m_aside, m_dataFd.Get(), m_data, name);
    if (!m_aside.empty()) {
      std::error_code ignored;
      std::filesystem::remove(m_aside, ignored);  // only when it is empty again
    }
    m_created.clear();
    m_moved.clear();
  }

  // Tells the user what was moved aside, and where.
  void TellMoved(UserData::NewUserFiles* found) const {
    if (m_moved.empty()) return;
    std::string list;
    for (std::size_t i = 0; i < m_moved.size(); ++i)
      list += (i == 0 ? "" : i + 1 == m_moved.size() ? " and " : ", ") + m_moved[i];
    ShowNotice(NoticeIcon::Information, "The data folder already held " + list +
                                            ", left by an earlier user. So that the new user starts without "
                                            "anyone else's data, they were moved to " +
                                            m_aside.string());
    if (found != nullptr) *found = UserData::NewUserFiles{m_moved, m_aside};
  }

 private:
  std::filesystem::path m_data;
  FolderFd m_dataFd;
  std::filesystem::path m_aside;
  std::unique_ptr<FolderFd> m_asideFd;
  std::vector<std::string> m_moved;
  std::vector<std::string> m_created;
};

}  // namespace

Status UserData::AddNew(const StorePaths& paths, const LocalDateTime& now, NewUserFiles* found) {
  if (found != nullptr) *found = NewUserFiles{};
  if (!CanWrite()) return Status::Error("The new user could not be saved: " + LastError());

  LocalUserRecord added = Current();
  added.id = UnusedId();
  added.hidden = 0;
  added.stepFile = StorePaths::StepFileName(added.id);
  added.exerciseFile = StorePaths::ExerciseFileName(added.id);

  NewUserFolder folder(paths.DataFolder());
  if (Status opened = folder.Opened(); !opened) return opened;
  // A goal file is made only when a goal is set, but an earlier user's goal
  // is as much in the way as their days.
  if (Status aside =
          folder.MoveAside(paths, added.id, now, {added.stepFile, added.exerciseFile, StepGoalFileName(added.id)});
      !aside)
    return aside;
  if (Status created = folder.CreateEmpty({added.stepFile, added.exerciseFile}); !created) return created;
  if (!WriteRecord(GetCount(), added)) {
    folder.Undo();
    return Status::Error("The new user could not be saved: " + LastError());
  }
  Current() = added;
  folder.TellMoved(found);
  return Status::Ok();
}

bool UserData::Update(std::int32_t id) {
  if (!CanWrite()) return false;
  bool stored = false;
  for (int i = 0; i < GetCount() && !stored; ++i) stored = IdAt(i) == id;
  if (!stored) {
    SetLastError("No user with the id " + std::to_string(id) +
                 " is in the user database any more (deleted meanwhile?); the record was not saved");
    return false;
  }
  if (Status allowed = CheckUser(id); !allowed) {
    SetLastError(allowed.message());
    return false;
  }
  return RecordFile<LocalUserRecord>::Update(id);
}

int UserData::Delete(std::int32_t id) {
  if (!FindById(id)) return kNotFound;
  if (!CanWrite()) return kNotWritten;
  // With two users of one id, the one found first may not be the one meant.
  int sharing = 0;
  for (int i = 0; i < GetCount(); ++i) sharing += IdAt(i) == id ? 1 : 0;
  if (sharing > 1) {
    SetLastError(CheckUser(id).message());
    return kRefused;
  }
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
  RemoveUserFile(data, "", deleted.stepFile, StorePaths::UserFileIn(data, deleted.stepFile).has_value(), stepNamed);
  RemoveUserFile(data, "", deleted.exerciseFile, StorePaths::UserFileIn(data, deleted.exerciseFile).has_value(),
                 exerciseNamed);
  RemoveUserFile(data, "", StepGoalFileName(deleted.id), true, false);
  // "blank.jpg" is the name every user without a photo shares.
  RemoveUserFile(data, "photos", deleted.photo, StorePaths::PhotoFileIn(data, deleted.photo).has_value(),
                 photoNamed || deleted.photo == StorePaths::kBlankPhoto);
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

Status UserData::CheckUserAmong(const std::vector<LocalUserRecord>& users, std::int32_t id) {
  std::vector<const LocalUserRecord*> withId;
  for (const LocalUserRecord& user : users)
    if (user.id == id) withId.push_back(&user);
  if (withId.size() > 1)
    return Status::Error("Two users in the user database have the id " + std::to_string(id) + " (" + Shown(*withId[0]) +
                         " and " + Shown(*withId[1]) + ")");
  if (withId.empty()) return Status::Ok();

  const LocalUserRecord& user = *withId.front();
  if (!user.stepFile.empty() && user.stepFile == user.exerciseFile)
    return Status::Error("The user database names one file, " + Windows1252ToUtf8(user.stepFile) + ", as both " +
                         Shown(user) + "'s step file and exercise file");
  for (const std::string* file : {&user.stepFile, &user.exerciseFile}) {
    if (file->empty()) continue;
    for (const LocalUserRecord& other : users) {
      if (&other == &user || (other.stepFile != *file && other.exerciseFile != *file)) continue;
      // Named in file order, so that both users' checks give the same text.
      const bool otherFirst = &other < &user;
      return Status::Error("The user database names one file, " + Windows1252ToUtf8(*file) + ", for two users (" +
                           Shown(otherFirst ? other : user) + " and " + Shown(otherFirst ? user : other) + ")");
    }
  }
  return Status::Ok();
}

Status UserData::CheckUser(std::int32_t id) const {
  if (Status checked = CheckUserAmong(All(), id); !checked) return Status::Error(checked.message() + kUntilCorrected);
  return Status::Ok();
}

std::vector<std::string> UserData::Problems() const {
  std::vector<std::string> problems;
  for (int i = 0; i < GetCount(); ++i) {
    const Status checked = CheckUser(IdAt(i));
    if (!checked && std::find(problems.begin(), problems.end(), checked.message()) == problems.end())
      problems.push_back(checked.message());
  }
  return problems;
}

}  // namespace tempovia
