#pragma once
// What the users' files hold, by user: the keys of their stored days and
// sessions. Taken before and after a run, it shows whether anything stored
// went missing.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "store/StorePaths.h"

namespace tempovia::monkey {

struct StoredUser {
  std::string name;
  std::set<std::uint64_t> days;
  std::set<std::uint64_t> sessions;
};

class StoredData {
 public:
  // Read from the base folder's data folder; a file that cannot be read is
  // said in problems.
  static StoredData Read(const StorePaths& paths);

  // What of before is missing here, one line each; deleted users (by id)
  // may be missing as a whole, up to allowedMissingUsers of them.
  std::vector<std::string> MissingFrom(const StoredData& before, int allowedMissingUsers) const;

  const std::map<std::int32_t, StoredUser>& Users() const { return m_users; }
  const std::vector<std::string>& Problems() const { return m_problems; }

 private:
  std::map<std::int32_t, StoredUser> m_users;
  std::vector<std::string> m_problems;
};

}  // namespace tempovia::monkey
