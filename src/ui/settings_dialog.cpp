#include "ui/settings_dialog.h"

#include "core/send_description.h"
#include "ui/dialog_frame.h"
#include "ui/send_details_dialog.h"
#include "ui/window_style.h"
#include "ui_settings_dialog.h"

SettingsDialog::SettingsDialog(const Settings &settings, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      m_ui(std::make_unique<Ui::SettingsDialog>()),
      m_settings(settings)
{
    m_ui->setupUi(this);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->cmdDefault, &QPushButton::clicked, this, &SettingsDialog::restoreDefaults);
    connect(m_ui->CmdSendBtnConfig, &QPushButton::clicked, this, &SettingsDialog::openSendDetails);
    connect(m_ui->cboSendTo, &QComboBox::currentIndexChanged, this,
            [this](int index) {
                m_ui->Label1->setText(sendCaptions(SendTo(index)).action);
                WindowStyle::fitCaption(m_ui->Label1);
            });

    DialogFrame::dress(this, DialogFrame::EscapeKey::Rejects);
    DialogFrame::centreOnScreen(this, owner);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             m_ui->frmBtnDousa, m_ui->OptSned, m_ui->OptCopy, this, m_ui->chkCopyMsg,
             m_ui->chkClearMsg, m_ui->frmKakunin, m_ui->chk200OverMsg})
        WindowStyle::applyBackground(widget, WindowStyle::PanelColor);
    m_ui->cmdOK->setFocus();
    showOptions(m_settings);
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::showOptions(const Settings &settings)
{
    m_ui->chkCopyMsg->setChecked(settings.copyNotice);
    m_ui->chkClearMsg->setChecked(settings.clearConfirmation);
    m_ui->chk200OverMsg->setChecked(settings.overLimitNotice);
    (settings.sendMode ? m_ui->OptSned : m_ui->OptCopy)->setChecked(true);
    // The list holds the choices in the order SendTo names them.
    m_ui->cboSendTo->setCurrentIndex(int(settings.sendTo));
    m_ui->Label1->setText(sendCaptions(settings.sendTo).action);
}

// Only the controls change: Cancel still leaves everything as it was.
void SettingsDialog::restoreDefaults()
{
    showOptions(Settings());
}

void SettingsDialog::accept()
{
    m_settings.copyNotice = m_ui->chkCopyMsg->isChecked();
    m_settings.clearConfirmation = m_ui->chkClearMsg->isChecked();
    m_settings.overLimitNotice = m_ui->chk200OverMsg->isChecked();
    m_settings.sendMode = m_ui->OptSned->isChecked();
    m_settings.sendTo = SendTo(m_ui->cboSendTo->currentIndex());
    QDialog::accept();
}

void SettingsDialog::openSendDetails()
{
    if (const auto details = SendDetailsDialog::edit(m_settings.sendDetails,
                                                           SendTo(m_ui->cboSendTo->currentIndex()), this))
        m_settings.sendDetails = *details;
}
