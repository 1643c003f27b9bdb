#pragma once

#include <QLockFile>
#include <QString>

// The previous-instance test.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;

    // True when another copy of the program is running for this user.
    // Otherwise this process holds the claim from now until it ends.
    virtual bool anotherInstanceRunning() = 0;
};

// A lock file in the user's runtime directory. The kernel-held lock dies with
// its process, so a copy that crashed or was killed never locks the user out.
class FileInstanceLock final : public InstanceLock {
public:
    FileInstanceLock();
    explicit FileInstanceLock(const QString &lockPath);

    bool anotherInstanceRunning() override;

private:
    bool removeUnreadableLock();

    QString m_path;
    QLockFile m_lock;
};
