#pragma once
// The user database, user.dat: one LocalUserRecord per local user. Opened at
// start-up and kept open for the run.
//
// Callers that need a user use it as values: they list, find, add, store and
// remove records, and the cursor's current record is nobody's business but
// this file's own code (it is also the scratch buffer of the record file
// operations underneath).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Status.h"
#include "store/LocalUserRecord.h"
#include "store/RecordFile.h"

namespace tempovia {

class StorePaths;

class UserData : public RecordFile<LocalUserRecord> {
 public:
  // Results of Delete.
  enum DeleteResult { kDeleted = 0, kNotFound = 1, kNotWritten = 2, kRefused = 3 };

  // What AddNew found under the new user's file names.
  struct NewUserFiles {
    std::vector<std::string> moved;  // names that were in the way
    std::filesystem::path movedTo;   // the folder they went to; empty when none
  };

  UserData();

  // Every user in file order (hidden ones too).
  std::vector<LocalUserRecord> All() const;
  // The users the login window steps through: those not hidden, file order.
  std::vector<LocalUserRecord> Active() const;
  // The first user in file order with this id / this name byte for byte.
  std::optional<LocalUserRecord> Find(std::int32_t id) const;
  std::optional<LocalUserRecord> FindNamed(std::string_view name) const;
  // Writes user over the stored user with its id, as Update does (and
  // refused as it refuses), without moving the cursor.
  Status Store(const LocalUserRecord& user);
  // Adds user as AddNew adds the current record; user becomes the record
  // as stored (id, file names).
  Status Add(LocalUserRecord& user, const StorePaths& paths, const LocalDateTime& now, NewUserFiles* found = nullptr);

  // The first user whose name equals name byte for byte (letter case counts,
  // hidden users too). The current record is the last one read.
  bool FindByName(std::string_view name);
  // Adds the current record as a new user: the next id, hidden flag 0, the
  // photo "blank.jpg" when none is set and the file names 100.dat and
  // 100_exercise.dat from the id. The index does not move.
  [[nodiscard]] bool Append();
  // Adds the current record as a new user together with the user's empty
  // step and exercise files, wholly or not at all. Id and file names as
  // Append gives them, except that an id whose file names another user's
  // record already names is passed over; the photo name stays as set. Files
  // already lying under those names (left by an earlier user with the same
  // id) are never handed to the new user: they are moved into a dated folder
  // of the backup area, and a notice says where. The new user becomes current.
  Status AddNew(const StorePaths& paths, const LocalDateTime& now, NewUserFiles* found = nullptr);
  // Writes the current record over the user with this id. False, with the
  // reason in LastError and the current record as it was, when no user has
  // that id or CheckUser refuses it.
  [[nodiscard]] bool Update(std::int32_t id);
  // Removes the user with that id, then the user's step, exercise and photo
  // files (never through a link, never a file another user still names).
  // kNotFound without an open file or such a user; kRefused when another
  // user has the same id; kNotWritten when user.dat could not be rewritten.
  // Nothing is removed unless the result is kDeleted; LastError says why.
  [[nodiscard]] int Delete(std::int32_t id);
  // Clears the current record after its user was deleted: name, password,
  // body values, age, sex, photo and step file name. The id, the exercise
  // file name and the flag stay.
  void ClearCurrent();

  // Whether writing for this user can harm another one. A user.dat from
  // elsewhere may give two users one id, or name one file for two users (or
  // twice for one): writing then would change or delete someone else's data,
  // so it is refused with a message naming the problem. Reading never is.
  Status CheckUser(std::int32_t id) const;
  // The same check of one user among users, without saying what follows.
  static Status CheckUserAmong(const std::vector<LocalUserRecord>& users, std::int32_t id);
  // Every such problem of the file, one message each; empty when none.
  std::vector<std::string> Problems() const;

 private:
  // The id a new user gets: one past the largest, and none whose file names
  // another user's record already names.
  std::int32_t UnusedId() const;
};

}  // namespace tempovia
