#include "ui/paste_refused_notice.h"

#include "core/message_text.h"
#include "ui/dialog_frame.h"
#include "ui/window_style.h"
#include "ui_paste_refused_notice.h"

#include <QLocale>

PasteRefusedNotice::PasteRefusedNotice(qsizetype room, QWidget *owner)
    : QDialog(owner, DialogFrame::windowFlags(Qt::Dialog)), m_ui(std::make_unique<Ui::PasteRefusedNotice>())
{
    m_ui->setupUi(this);
    DialogFrame::dress(this, DialogFrame::EscapeKey::Ignored);
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    DialogFrame::centreOnScreen(this, owner);
    const QLocale japanese(QLocale::Japanese);
    m_ui->Label2->setText(
        m_ui->Label2->text().arg(japanese.toString(MessageText::MaximumCharacters), japanese.toString(room)));
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

PasteRefusedNotice::~PasteRefusedNotice() = default;
