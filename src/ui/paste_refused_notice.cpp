#include "ui/paste_refused_notice.h"

#include "core/message_text.h"
#include "ui_paste_refused_notice.h"

#include <QLocale>

namespace {

// The title, and what was not done; the labels are read out as the notice opens.
std::pair<QString, QString> refusedAction(TextEntry entry)
{
    switch (entry) {
    case TextEntry::Input:
        return {QStringLiteral("入力"), QStringLiteral("入力できませんでした")};
    case TextEntry::Replacement:
        return {QStringLiteral("置き換え"), QStringLiteral("置き換えませんでした")};
    case TextEntry::Typing:
    case TextEntry::Paste:
        break;
    }
    return {QStringLiteral("貼り付け"), QStringLiteral("貼り付けませんでした")};
}

} // namespace

PasteRefusedNotice::PasteRefusedNotice(qsizetype room, TextEntry entry, QWidget *owner)
    : Notice(owner, Placement::MidScreen), m_ui(std::make_unique<Ui::PasteRefusedNotice>())
{
    m_ui->setupUi(this);
    finish(m_ui->cmdOK);
    const auto [title, refused] = refusedAction(entry);
    setWindowTitle(title);
    m_ui->Label1->setText(m_ui->Label1->text().arg(refused));
    const QLocale japanese(QLocale::Japanese);
    m_ui->Label2->setText(
        m_ui->Label2->text().arg(japanese.toString(MessageText::MaximumCharacters), japanese.toString(room)));
}

PasteRefusedNotice::~PasteRefusedNotice() = default;
