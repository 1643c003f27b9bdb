#include "ui/paste_notice.h"

#include "ui_paste_notice.h"

PasteNotice::PasteNotice(QWidget *owner)
    : Notice(owner, Placement::MidScreen), m_ui(std::make_unique<Ui::PasteNotice>())
{
    m_ui->setupUi(this);
    finish(m_ui->cmdOK);
}

PasteNotice::~PasteNotice() = default;
