#include "platform/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString &lockPath) : m_path(lockPath) {}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InstanceLock::anotherInstanceRunning()
{
    m_fd = openLockFile();
    // The test itself is impossible (a read-only folder, say): rather run
    // twice than not at all.
    if (m_fd < 0 || ::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return false;
    const bool held = errno == EWOULDBLOCK;
    ::close(m_fd);
    m_fd = -1;
    return held;
}

// A folder made for the lock is the user's alone, so nobody else can plant
// a file there, let alone hold a lock on it.
int InstanceLock::openLockFile() const
{
    const QFileInfo lock(m_path);
    QDir().mkpath(QFileInfo(lock.absolutePath()).absolutePath());
    QDir().mkdir(lock.absolutePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray path = QFile::encodeName(m_path);
    const auto openNoFollow = [&path] {
        return ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    };
    const int fd = openNoFollow();
    if (fd >= 0 || errno != ELOOP)
        return fd;
    // This program only ever makes a plain file here; a symbolic link in its
    // place is never followed, but replaced.
    ::unlink(path.constData());
    return openNoFollow();
}
