#include "settings/frm_config.h"

#include "layouts/dialog_frame.h"
#include "layouts/window_style.h"
#include "settings/frm_send_detail.h"
#include "ui_frmConfig.h"


frmConfig::frmConfig(SharedState &state, SetCopyPicture setCopyPicture, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      ui(std::make_unique<Ui::frmConfig>()),
      state_(state),
      setCopyPicture_(std::move(setCopyPicture))
{
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmConfig::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmConfig::cmdCancel_Click);
    connect(ui->cmdDefault, &QPushButton::clicked, this, &frmConfig::cmdDefault_Click);
    connect(ui->CmdSendBtnConfig, &QPushButton::clicked, this, &frmConfig::CmdSendBtnConfig_Click);

    DialogFrame::dress(this, DialogFrame::EscapeKey::Rejects);
    DialogFrame::centreOnScreen(this, owner);
    ui->cmdOK->setFocus();
    Form_Load();
}

frmConfig::~frmConfig() = default;

void frmConfig::reject()
{
    cmdCancel_Click();
}

void frmConfig::Form_Load()
{
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->frmBtnDousa, ui->OptSned, ui->OptCopy, this, ui->chkCopyMsg, ui->chkClearMsg,
             ui->frmKakunin, ui->chk200OverMsg})
        WindowStyle::applyBackground(widget, WindowStyle::PanelColor);
    ui->chkCopyMsg->setChecked(state_.CopyMsgShow);
    ui->chkClearMsg->setChecked(state_.ClearMsgShow);
    ui->chk200OverMsg->setChecked(state_.OverMsgShow);
    (state_.SendMode ? ui->OptSned : ui->OptCopy)->setChecked(true);
}

void frmConfig::cmdDefault_Click()
{
    ui->chkCopyMsg->setChecked(true);
    ui->chkClearMsg->setChecked(true);
    ui->chk200OverMsg->setChecked(true);
    ui->OptSned->setChecked(true);
}

void frmConfig::cmdOK_Click()
{
    state_.CopyMsgShow = ui->chkCopyMsg->isChecked();
    state_.ClearMsgShow = ui->chkClearMsg->isChecked();
    state_.OverMsgShow = ui->chk200OverMsg->isChecked();
    state_.SendMode = ui->OptSned->isChecked();
    // Given even when the mode stayed the same, so that a picture file put
    // back in the meantime shows up.
    setCopyPicture_(state_.SendMode ? QStringLiteral("SendBtn.gif") : QStringLiteral("CopyBtn.gif"));
    accept();
}

void frmConfig::cmdCancel_Click()
{
    QDialog::reject();
}

void frmConfig::CmdSendBtnConfig_Click()
{
    frmSendDetail detail(state_, this);
    detail.exec();
}
