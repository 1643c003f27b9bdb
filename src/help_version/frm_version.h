#pragma once

#include "platform/desktop_services.h"
#include "platform/shell_launcher.h"

#include <QDialog>
#include <memory>

namespace Ui {
class frmVersion;
}

// The version window: the program's name and version, and a button that
// opens the home page in the browser.
class frmVersion : public QDialog {
    Q_OBJECT

public:
    frmVersion(ShellLauncher &launcher, MessageBox &messages, QWidget *owner);
    ~frmVersion() override;

private:
    void Form_Load();
    void CmdHP_Click();
    void cmdOK_Click();

    std::unique_ptr<Ui::frmVersion> ui;
    ShellLauncher &launcher_;
    MessageBox &messages_;
};
