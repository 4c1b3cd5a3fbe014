#include "StoredData.h"

#include <algorithm>
#include <optional>

#include "store/ExerciseDB.h"
#include "store/StepData.h"
#include "store/UserData.h"

namespace tempovia::monkey {

namespace {

template <class Cursor>
std::set<std::uint64_t> KeysIn(const std::optional<std::filesystem::path>& path, std::vector<std::string>& problems) {
  std::set<std::uint64_t> keys;
  if (!path) return keys;
  Cursor cursor;
  if (const Status opened = cursor.TryOpenForReading(*path); !opened) {
    problems.push_back(opened.message());
    return keys;
  }
  for (int i = 0; i < cursor.GetCount(); ++i) keys.insert(cursor.RecordAt(i).Key());
  return keys;
}

}  // namespace

StoredData StoredData::Read(const StorePaths& paths) {
  StoredData data;
  UserData users;
  if (const Status opened = users.TryOpenForReading(paths.UserDatabase()); !opened) {
    data.m_problems.push_back(opened.message());
    return data;
  }
  for (const LocalUserRecord& user : users.All()) {
    StoredUser& stored = data.m_users[user.id];
    stored.name = user.name;
    stored.days = KeysIn<StepData>(paths.UserFile(user.stepFile), data.m_problems);
    stored.sessions = KeysIn<CExerciseDB>(paths.UserFile(user.exerciseFile), data.m_problems);
  }
  return data;
}

std::vector<std::string> StoredData::MissingFrom(const StoredData& before, int allowedMissingUsers) const {
  std::vector<std::string> missing;
  int usersMissing = 0;
  for (const auto& [id, was] : before.m_users) {
    const auto now = m_users.find(id);
    // EDIT may rename a user; a user deleted and a new one given the same id
    // (ids are reused) has none of the old days and sessions.
    const bool replaced = now != m_users.end() && allowedMissingUsers > 0 && !was.days.empty() &&
                          !std::any_of(was.days.begin(), was.days.end(),
                                       [&](std::uint64_t day) { return now->second.days.count(day) != 0; });
    if (now == m_users.end() || replaced) {
      if (++usersMissing > allowedMissingUsers)
        missing.push_back("the user " + was.name + " (id " + std::to_string(id) + ") is gone");
      continue;
    }
    for (const std::uint64_t day : was.days)
      if (now->second.days.count(day) == 0)
        missing.push_back(was.name + "'s day with key " + std::to_string(day) + " is gone");
    for (const std::uint64_t session : was.sessions)
      if (now->second.sessions.count(session) == 0)
        missing.push_back(was.name + "'s session with key " + std::to_string(session) + " is gone");
  }
  return missing;
}

}  // namespace tempovia::monkey
