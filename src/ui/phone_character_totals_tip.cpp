#include "ui/phone_character_totals_tip.h"

#include "core/phone_characters.h"

#include <QHelpEvent>
#include <QStringList>
#include <QToolTip>
#include <QWidget>

PhoneCharacterTotalsTip::PhoneCharacterTotalsTip(QWidget *label, std::function<QString()> currentText)
    : QObject(label), m_label(label), m_currentText(std::move(currentText))
{
    label->installEventFilter(this);
}

bool PhoneCharacterTotalsTip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_label || event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const PhoneCharacters::Totals totals = PhoneCharacters::totals(m_currentText());
    QStringList lines;
    if (totals.missing > 0)
        lines << QStringLiteral("携帯電話で表示できない文字: %1文字").arg(totals.missing);
    if (totals.vendorExtension > 0)
        lines << QStringLiteral("機種依存文字: %1文字").arg(totals.vendorExtension);
    if (lines.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), lines.join(u'\n'), m_label);
    return true;
}
