#include "main_window/window_dialogs.h"

#include "actions/frm_clear.h"
#include "actions/frm_copy.h"
#include "help_version/frm_version.h"
#include "main_window/frm_over.h"
#include "settings/frm_config.h"

void WindowDialogs::showOverNotice(QWidget *owner)
{
    FrmOver dialog(owner);
    dialog.exec();
}

void WindowDialogs::showCopyNotice(QWidget *owner)
{
    frmCopy dialog(state_, owner);
    dialog.exec();
}

void WindowDialogs::askClear(QWidget *owner)
{
    frmClear dialog(state_, owner);
    dialog.exec();
}

void WindowDialogs::showConfig(QWidget *owner, const SetCopyPicture &setCopyPicture)
{
    frmConfig dialog(state_, setCopyPicture, owner);
    dialog.exec();
}

void WindowDialogs::showVersion(QWidget *owner)
{
    frmVersion dialog(platform_.launcher, platform_.messages, owner);
    dialog.exec();
}
