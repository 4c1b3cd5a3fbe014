#pragma once
// One Tempovia at a time for a user: a lock file in the session's runtime
// folder, held for the life of the process. The system lets go of it when
// the process dies, so a lock left behind by a crash never stops a later
// start.

#include <QLockFile>
#include <QString>
#include <memory>

namespace tempovia {

class SingleInstance {
 public:
  // The lock in the runtime folder (empty: the session's own).
  explicit SingleInstance(const QString& folder = QString());
  ~SingleInstance();

  // True when this process holds the lock: no other copy runs.
  bool IsFirst() const { return m_first; }
  const QString& LockPath() const { return m_path; }

 private:
  QString m_path;
  std::unique_ptr<QLockFile> m_lock;
  bool m_first = false;
};

}  // namespace tempovia
