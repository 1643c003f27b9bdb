#pragma once

#include <QString>

// The previous-instance test.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;

    // True when another copy of the program is running for this user.
    // Otherwise this process holds the claim from now until it ends.
    virtual bool anotherInstanceRunning() = 0;
};

// An advisory lock held on an open file for the life of the process. The
// kernel releases it when its holder ends, however it ends, so only a live
// copy can refuse a start: what the file holds, or that it exists at all,
// never counts, in any PID namespace.
class FileInstanceLock final : public InstanceLock {
public:
    explicit FileInstanceLock(const QString &lockPath);
    ~FileInstanceLock() override;
    FileInstanceLock(const FileInstanceLock &) = delete;
    FileInstanceLock &operator=(const FileInstanceLock &) = delete;

    bool anotherInstanceRunning() override;

private:
    int openLockFile() const;

    QString m_path;
    int m_fd = -1;
};
