#include "ui/paste_refused_notice.h"

#include "core/message_text.h"
#include "ui_paste_refused_notice.h"

#include <QLocale>

PasteRefusedNotice::PasteRefusedNotice(qsizetype room, QWidget *owner)
    : Notice(owner, Placement::MidScreen), m_ui(std::make_unique<Ui::PasteRefusedNotice>())
{
    m_ui->setupUi(this);
    finish(m_ui->cmdOK);
    const QLocale japanese(QLocale::Japanese);
    m_ui->Label2->setText(
        m_ui->Label2->text().arg(japanese.toString(MessageText::MaximumCharacters), japanese.toString(room)));
}

PasteRefusedNotice::~PasteRefusedNotice() = default;
