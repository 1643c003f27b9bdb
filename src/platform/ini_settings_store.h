#pragma once

#include "platform/settings_store.h"

#include <QSettings>

// The settings file: ~/.config/Larkpad/Larkpad.ini (or wherever
// XDG_CONFIG_HOME points), readable by its owner only since it holds the
// user's draft.
class IniSettingsStore final : public SettingsStore {
public:
    IniSettingsStore();
    explicit IniSettingsStore(const QString &filePath);

    QString read(const QString &key, const QString &defaultValue) const override;
    void write(const QString &key, const QString &value) override;
    bool flush() override;
    QString location() const override;

private:
    mutable QSettings settings_;
};
