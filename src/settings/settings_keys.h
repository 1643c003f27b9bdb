#pragma once

#include <QString>

// The names under which the settings file keeps each value.
namespace SettingsKeys {

inline const QString Edit = QStringLiteral("Edit");
inline const QString Config = QStringLiteral("Config");
inline const QString SettingNo = QStringLiteral("SettingNo");

inline QString atesaki(int slot) { return QStringLiteral("Atesaki%1").arg(slot); }
inline QString kenmei(int slot) { return QStringLiteral("Kenmei%1").arg(slot); }

} // namespace SettingsKeys
