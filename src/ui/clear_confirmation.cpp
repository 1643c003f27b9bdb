#include "ui/clear_confirmation.h"

#include "ui/dialog_frame.h"
#include "ui/window_style.h"
#include "ui_clear_confirmation.h"

ClearConfirmation::ClearConfirmation(QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)),
      m_ui(std::make_unique<Ui::ClearConfirmation>())
{
    m_ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    WindowStyle::applyBackground(m_ui->ChkMsgShow, WindowStyle::PanelColor);
    // Not placed: QDialog opens a parented dialog in the middle of its owner.
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

ClearConfirmation::~ClearConfirmation() = default;

bool ClearConfirmation::askAgain() const
{
    return !m_ui->ChkMsgShow->isChecked();
}
