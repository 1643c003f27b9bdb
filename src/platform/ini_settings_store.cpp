#include "platform/ini_settings_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QLockFile>
#include <QStringList>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

constexpr auto Application = "Larkpad";
constexpr auto Section = "Ver.1.0";
constexpr QFileDevice::Permissions OwnerBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ExeOwner | QFileDevice::ReadUser
                                               | QFileDevice::WriteUser | QFileDevice::ExeUser;

} // namespace

IniSettingsStore::IniSettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, Application, Application)
{
    m_settings.beginGroup(Section);
}

IniSettingsStore::IniSettingsStore(const QString &filePath)
    : m_settings(filePath, QSettings::IniFormat)
{
    m_settings.beginGroup(Section);
}

QString IniSettingsStore::read(const QString &key, const QString &defaultValue) const
{
    const QVariant value = m_settings.value(key);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with an unquoted comma comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void IniSettingsStore::write(const QString &key, const QString &value)
{
    m_settings.setValue(key, value);
    m_written.insert(key, value);
}

bool IniSettingsStore::flush()
{
    // Whatever the save creates (folder, lock, temporary file, the file
    // through a dangling symbolic link) is owner-only from the start. The
    // umask is the whole process's, which is safe here: saves run on the
    // user-interface thread, and no other thread of the program creates files.
    const mode_t umaskBefore = ::umask(077);
    removeAbandonedLock();
    // A file kept from before lends its permissions to the one replacing it,
    // so others lose any access first; the owner keeps what he had (a file
    // he made read-only stays so).
    const QString name = m_settings.fileName();
    if (QFileInfo::exists(name))
        QFile::setPermissions(name, QFile::permissions(name) & OwnerBits);
    m_settings.sync();
    ::umask(umaskBefore);
    // QSettings keeps reporting a file it found damaged at load even after it
    // has written a sound one over it, so in that case look at the result.
    return m_settings.status() == QSettings::NoError || fileHoldsWrittenValues();
}

QString IniSettingsStore::location() const
{
    return m_settings.fileName();
}

// Named for the time, so that nothing kept before is written over; written
// through a temporary file, so that a full disk leaves no part of it.
QString IniSettingsStore::keepAside(const QString &text)
{
    const QDir folder = QFileInfo(m_settings.fileName()).absoluteDir();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = folder.filePath(QStringLiteral("draft-%1.txt").arg(stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("draft-%1-%2.txt").arg(stamp).arg(n));
    const mode_t umaskBefore = ::umask(077);
    QSaveFile file(path);
    const bool kept = folder.mkpath(QStringLiteral(".")) && file.open(QIODevice::WriteOnly)
                      && file.write(text.toUtf8()) >= 0 && file.commit();
    ::umask(umaskBefore);
    return kept ? path : QString();
}

// QSettings guards its writes with "<file>.lock" and waits for a holder. Only
// this program writes the file and only one copy of it runs, so a lock whose
// holder is gone or whose content cannot be read was left by a crash; without
// this, the close would hang until the lock counts as old.
void IniSettingsStore::removeAbandonedLock() const
{
    QLockFile lock(m_settings.fileName() + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return;
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.error() == QLockFile::LockFailedError && !lock.getLockInfo(&pid, &host, &application))
        lock.removeStaleLockFile();
}

// Read through a copy: QSettings objects on one path share their unsaved
// values within the process, so a second one on the file itself would see
// them whether or not they reached the disk.
bool IniSettingsStore::fileHoldsWrittenValues() const
{
    const QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("check.ini"));
    if (!scratch.isValid() || !QFile::copy(m_settings.fileName(), copy))
        return false;
    QSettings onDisk(copy, QSettings::IniFormat);
    onDisk.beginGroup(QString::fromLatin1(Section));
    for (auto it = m_written.cbegin(); it != m_written.cend(); ++it) {
        if (onDisk.value(it.key()).toString() != it.value())
            return false;
    }
    return true;
}
