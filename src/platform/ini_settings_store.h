#pragma once

#include "core/settings_store.h"

#include <QHash>
#include <QSettings>

// The settings file: ~/.config/Larkpad/Larkpad.ini (or below
// XDG_CONFIG_HOME), readable by its owner only since it holds the user's
// draft. Writes replace the file as a whole, so a failed one leaves the file
// stored before as it was.
class IniSettingsStore final : public SettingsStore {
public:
    IniSettingsStore();
    explicit IniSettingsStore(const QString &filePath);

    QString read(const QString &key, const QString &defaultValue) const override;
    void write(const QString &key, const QString &value) override;
    bool flush() override;
    QString location() const override;
    QString keepAside(const QString &text) override;

private:
    void removeAbandonedLock() const;
    bool fileHoldsWrittenValues() const;

    mutable QSettings m_settings;
    QHash<QString, QString> m_written;
};
