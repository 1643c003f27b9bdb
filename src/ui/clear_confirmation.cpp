#include "ui/clear_confirmation.h"

#include "ui_clear_confirmation.h"

ClearConfirmation::ClearConfirmation(QWidget *owner)
    : Notice(owner, Placement::OverOwner), m_ui(std::make_unique<Ui::ClearConfirmation>())
{
    m_ui->setupUi(this);
    finish(m_ui->cmdOK);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

ClearConfirmation::~ClearConfirmation() = default;

bool ClearConfirmation::askAgain() const
{
    return !m_ui->ChkMsgShow->isChecked();
}
