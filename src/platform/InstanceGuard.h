#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Tells whether another copy of the program is running.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // Takes the lock for this copy; false when another live copy holds it.
    virtual bool acquire() = 0;
};

// A lock file in the user's runtime folder. QLockFile records the owner's
// process id, so the lock of a copy that crashed is taken over, never stuck.
class LockFileGuard final : public InstanceGuard {
public:
    explicit LockFileGuard(const QString &path);
    ~LockFileGuard() override;
    bool acquire() override;

private:
    std::unique_ptr<QLockFile> lock_;
};
