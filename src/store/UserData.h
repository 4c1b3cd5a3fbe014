#pragma once
// The user database, user.dat: one LocalUserRecord per local user. Opened at
// start-up and kept open for the run; its current record is the selected
// (after login, the logged-in) user.

#include <cstdint>
#include <string_view>

#include "LocalUserRecord.h"
#include "RecordFile.h"

namespace tempovia {

class UserData : public RecordFile<LocalUserRecord> {
 public:
  // Results of Delete.
  enum DeleteResult { kDeleted = 0, kNotFound = 1, kNotWritten = 2 };

  UserData();

  // The first user whose name equals name byte for byte (letter case counts,
  // hidden users too). The current record is the last one read.
  bool FindByName(std::string_view name);
  // Adds the current record as a new user: the next id, hidden flag 0, the
  // photo "blank.jpg" when none is set and the file names 100.dat and
  // 100_exercise.dat from the id. The index does not move.
  bool Append();
  // Removes the user with that id, then the user's step, exercise and photo
  // files. kNotFound without an open file or such a user; kNotWritten when
  // user.dat could not be rewritten (nothing is removed; LastError says why).
  int Delete(std::int32_t id);
  // Clears the current record after its user was deleted: name, password,
  // body values, age, sex, photo and step file name. The id, the exercise
  // file name and the flag stay.
  void ClearCurrent();
};

}  // namespace tempovia
