#include "platform/ini_settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr auto Application = "Larkpad";
constexpr auto Section = "Ver.1.0";
constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

IniSettingsStore::IniSettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, Application, Application)
{
    settings_.beginGroup(Section);
}

IniSettingsStore::IniSettingsStore(const QString &filePath)
    : settings_(filePath, QSettings::IniFormat)
{
    settings_.beginGroup(Section);
}

QString IniSettingsStore::read(const QString &key, const QString &defaultValue) const
{
    const QVariant value = settings_.value(key);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with an unquoted comma comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void IniSettingsStore::write(const QString &key, const QString &value)
{
    settings_.setValue(key, value);
}

bool IniSettingsStore::flush()
{
    settings_.sync();
    const bool stored = settings_.status() == QSettings::NoError;
    if (QFileInfo::exists(settings_.fileName()))
        QFile::setPermissions(settings_.fileName(), OwnerOnly);
    return stored;
}

QString IniSettingsStore::location() const
{
    return settings_.fileName();
}
