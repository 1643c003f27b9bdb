#include "ui/paste_notice.h"

#include "ui/dialog_frame.h"
#include "ui/window_style.h"
#include "ui_paste_notice.h"

PasteNotice::PasteNotice(QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)), m_ui(std::make_unique<Ui::PasteNotice>())
{
    m_ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    DialogFrame::centreOnScreen(this, owner);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

PasteNotice::~PasteNotice() = default;
