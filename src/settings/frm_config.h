#pragma once

#include "settings/shared_state.h"

#include <QDialog>
#include <functional>
#include <memory>


namespace Ui {
class frmConfig;
}

// The settings dialog: what the main window's picture button does, which
// notices appear, and the way to the send details. Answers through
// SharedState only, and only on OK.
class frmConfig : public QDialog {
    Q_OBJECT

public:
    using SetCopyPicture = std::function<void(const QString &pictureFile)>;

    // setCopyPicture gives the main window's picture button the released
    // picture of the chosen mode.
    frmConfig(SharedState &state, SetCopyPicture setCopyPicture, QWidget *owner);
    ~frmConfig() override;

    // Esc and the close box end up here, so they do what "キャンセル" does.
    void reject() override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdDefault_Click();
    void CmdSendBtnConfig_Click();

    std::unique_ptr<Ui::frmConfig> ui;
    SharedState &state_;
    SetCopyPicture setCopyPicture_;
};
