#pragma once

#include <QString>

// The previous-instance test: an advisory lock held on an open file for the
// life of the process. The kernel releases it when its holder ends, however it
// ends, so only a live copy can refuse a start: what the file holds, or that
// it exists at all, never counts, in any PID namespace.
class InstanceLock {
public:
    explicit InstanceLock(const QString &lockPath);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True when another copy of the program is running for this user.
    // Otherwise this process holds the claim from now until it ends.
    bool anotherInstanceRunning();

private:
    int openLockFile() const;

    QString m_path;
    int m_fd = -1;
};
