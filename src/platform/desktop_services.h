#pragma once

#include <QString>

// The small desktop services the windows use, each behind its own interface
// so that tests can stand in for the desktop.

// What a message is about, which decides its icon; every message has OK only.
enum class MessageStyle {
    Error,   // something the user asked for did not happen
    Warning, // the user should know, nothing was lost
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Modal; returns when the user has closed it.
    virtual void show(const QString &text, const QString &title, MessageStyle style) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(const QString &text) = 0;
};
