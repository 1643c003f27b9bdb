#pragma once

#include <QString>

// The per-user key/value store behind the saved text, options and send slots.
// Every key lives in the application "Larkpad", section "Ver.1.0".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual QString read(const QString &key, const QString &defaultValue) const = 0;
    virtual void write(const QString &key, const QString &value) = 0;

    // Puts the writes on disk. False when they could not be stored; what was
    // stored before is then left as it was.
    virtual bool flush() = 0;

    // Where the values are kept, as the user should be told it.
    virtual QString location() const = 0;

    // Keeps the text in a new file of its own beside the values, readable by
    // its owner only. Its path as the user should be told it, or empty when it
    // could not be written whole.
    virtual QString keepAside(const QString &text) = 0;
};
