#include "ui/dialogs.h"

#include "ui/about_dialog.h"
#include "ui/clear_confirmation.h"
#include "ui/copy_notice.h"
#include "ui/help_window.h"
#include "ui/over_limit_notice.h"
#include "ui/paste_notice.h"
#include "ui/paste_refused_notice.h"
#include "ui/settings_dialog.h"

void WindowDialogs::showOverLimitNotice(QWidget *owner)
{
    OverLimitNotice notice(owner);
    notice.exec();
}

bool WindowDialogs::showCopyNotice(QWidget *owner)
{
    CopyNotice notice(owner);
    notice.exec();
    return notice.showAgain();
}

ClearAnswer WindowDialogs::askClear(QWidget *owner)
{
    ClearConfirmation confirmation(owner);
    const bool clear = confirmation.exec() == QDialog::Accepted;
    return {clear, confirmation.askAgain()};
}

SettingsEdit WindowDialogs::editSettings(const Settings &settings, QWidget *owner)
{
    SettingsDialog dialog(settings, owner);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return {dialog.settings(), accepted};
}

void WindowDialogs::showAbout(QWidget *owner)
{
    AboutDialog dialog(m_platform, m_homePage, owner);
    dialog.exec();
}

void WindowDialogs::showPasteNotice(QWidget *owner)
{
    PasteNotice notice(owner);
    notice.exec();
}

void WindowDialogs::showInsertionRefused(qsizetype room, TextEntry entry, QWidget *owner)
{
    PasteRefusedNotice notice(room, entry, owner);
    notice.exec();
}

// One help window: asked again, the open one comes to the front.
void WindowDialogs::showHelp(const QString &page, QWidget *owner)
{
    if (!m_help)
        m_help = new HelpWindow(page, owner);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
