#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace tempovia {

SingleInstance::SingleInstance(const QString& folder) {
  const QString where = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder;
  QDir().mkpath(where);
  m_path = QDir(where).filePath(QStringLiteral("tempovia.lock"));
  m_lock = std::make_unique<QLockFile>(m_path);
  // Only a dead owner makes the lock stale, never its age: a copy that runs
  // for weeks still holds it.
  m_lock->setStaleLockTime(0);
  m_first = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

}  // namespace tempovia
