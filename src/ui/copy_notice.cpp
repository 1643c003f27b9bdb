#include "ui/copy_notice.h"

#include "ui_copy_notice.h"

CopyNotice::CopyNotice(QWidget *owner)
    : Notice(owner, Placement::MidScreen), m_ui(std::make_unique<Ui::CopyNotice>())
{
    m_ui->setupUi(this);
    finish(m_ui->cmdOK);
    // With two controls the tab order is only a ring; say where it starts.
    m_ui->cmdOK->setFocus();
}

CopyNotice::~CopyNotice() = default;

bool CopyNotice::showAgain() const
{
    return !m_ui->ChkMsgShow->isChecked();
}
