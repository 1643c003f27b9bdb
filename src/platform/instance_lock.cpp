#include "platform/instance_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A lock file whose content cannot be read is only taken for a leftover once
// it is older than this: a starting copy writes its content within moments of
// creating the file, and must not be mistaken for garbage meanwhile.
constexpr qint64 UnreadableLockGraceMs = 2000;

QString defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/larkpad.lock");
}

} // namespace

FileInstanceLock::FileInstanceLock() : FileInstanceLock(defaultLockPath()) {}

FileInstanceLock::FileInstanceLock(const QString &lockPath)
    : m_path(lockPath), m_lock(lockPath)
{
    // The program holds its lock for as long as it runs; an age limit would
    // let a second copy break the lock of a first that has simply run long.
    m_lock.setStaleLockTime(0);
}

bool FileInstanceLock::anotherInstanceRunning()
{
    if (m_lock.tryLock(0))
        return false;
    switch (m_lock.error()) {
    case QLockFile::LockFailedError:
        // QLockFile already takes over the lock of a holder that has died.
        return !removeUnreadableLock();
    case QLockFile::PermissionError:
    case QLockFile::UnknownError:
    case QLockFile::NoError:
        break;
    }
    // The test itself is impossible (no runtime directory, say): rather run
    // twice than not at all.
    return false;
}

bool FileInstanceLock::removeUnreadableLock()
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock.getLockInfo(&pid, &host, &application))
        return false;
    // Two copies starting together must not both clear and claim it.
    QLockFile removal(m_path + QStringLiteral(".rmlock"));
    removal.setStaleLockTime(0);
    if (!removal.tryLock(0))
        return false;
    const QFileInfo info(m_path);
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    if (m_lock.getLockInfo(&pid, &host, &application) || age < UnreadableLockGraceMs)
        return false;
    m_lock.removeStaleLockFile();
    return m_lock.tryLock(0);
}
