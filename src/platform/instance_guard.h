#pragma once

#include <QLockFile>
#include <QString>

// The previous-instance test.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;

    // True when another copy of the program is running for this user.
    // Otherwise this process holds the claim from now until it ends.
    virtual bool anotherInstanceRunning() = 0;
};

// A lock file in the user's runtime directory. The kernel-held lock dies with
// its process, so a copy that crashed or was killed never locks the user out.
class LockFileInstanceGuard final : public InstanceGuard {
public:
    LockFileInstanceGuard();
    explicit LockFileInstanceGuard(const QString &lockPath);

    bool anotherInstanceRunning() override;

private:
    bool removeUnreadableLock();

    QString path_;
    QLockFile lock_;
};
