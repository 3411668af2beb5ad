#include "platform/InstanceGuard.h"

#include <QLockFile>

LockFileGuard::LockFileGuard(const QString &path) : lock_(std::make_unique<QLockFile>(path))
{
    // Only a lock whose process is gone counts as stale, however old it is.
    lock_->setStaleLockTime(0);
}

LockFileGuard::~LockFileGuard() = default;

bool LockFileGuard::acquire()
{
    return lock_->tryLock(0);
}
