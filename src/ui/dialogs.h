#pragma once

#include "core/settings.h"
#include "ui/about_dialog.h"
#include "ui/text_entry.h"

#include <QPointer>
#include <QString>

struct Platform;
class QWidget;

// What the user answered in the clear confirmation.
struct ClearAnswer {
    bool clear = false;
    bool askAgain = true;
};

// How the user left the settings dialog. Send details confirmed in their own
// dialog count even when the settings dialog is then cancelled.
struct SettingsEdit {
    Settings settings;
    bool accepted = false;
};

// The modal windows the main window opens. Each call creates the window
// afresh, returns when it has closed and hands back what the user chose.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual void showOverLimitNotice(QWidget *owner) = 0;
    // True when the notice should appear next time too.
    virtual bool showCopyNotice(QWidget *owner) = 0;
    virtual ClearAnswer askClear(QWidget *owner) = 0;
    virtual SettingsEdit editSettings(const Settings &settings, QWidget *owner) = 0;
    virtual void showAbout(QWidget *owner) = 0;
    // The text is on the clipboard, to paste into the compose page.
    virtual void showPasteNotice(QWidget *owner) = 0;
    // Text that came in as `entry` was refused: the box takes only `room`
    // more characters.
    virtual void showInsertionRefused(qsizetype room, TextEntry entry, QWidget *owner) = 0;
    // The help pages in a window of the program's own, beside the main
    // window rather than modal; returns at once.
    virtual void showHelp(const QString &page, QWidget *owner) = 0;
};

// The real windows behind Dialogs.
class WindowDialogs final : public Dialogs {
public:
    explicit WindowDialogs(const Platform &platform, HomePage homePage = HomePage::configured())
        : m_platform(platform), m_homePage(std::move(homePage))
    {
    }

    void showOverLimitNotice(QWidget *owner) override;
    bool showCopyNotice(QWidget *owner) override;
    ClearAnswer askClear(QWidget *owner) override;
    SettingsEdit editSettings(const Settings &settings, QWidget *owner) override;
    void showAbout(QWidget *owner) override;
    void showPasteNotice(QWidget *owner) override;
    void showInsertionRefused(qsizetype room, TextEntry entry, QWidget *owner) override;
    void showHelp(const QString &page, QWidget *owner) override;

private:
    const Platform &m_platform;
    HomePage m_homePage;
    QPointer<QWidget> m_help;
};
