#include "ui/copy_notice.h"

#include "ui/dialog_frame.h"
#include "ui/window_style.h"
#include "ui_copy_notice.h"

CopyNotice::CopyNotice(QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)), m_ui(std::make_unique<Ui::CopyNotice>())
{
    m_ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    WindowStyle::applyBackground(m_ui->ChkMsgShow, WindowStyle::PanelColor);
    // A parented dialog would open over its owner; this one belongs mid-screen.
    DialogFrame::centreOnScreen(this, owner);
    // With two controls the tab order is only a ring; say where it starts.
    m_ui->cmdOK->setFocus();
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

CopyNotice::~CopyNotice() = default;

bool CopyNotice::showAgain() const
{
    return !m_ui->ChkMsgShow->isChecked();
}
