#include "ui/length_watch.h"

#include "core/message_text.h"
#include "ui/dialogs.h"
#include "ui/fixed_cell_editor.h"
#include "ui/window_style.h"

#include <QLabel>

LengthWatch::LengthWatch(const QList<FixedCellEditor *> &boxes, QLabel *count, Dialogs &dialogs, QWidget *window)
    : QObject(window), m_boxes(boxes), m_count(count), m_dialogs(dialogs), m_window(window)
{
    for (FixedCellEditor *box : boxes)
        connect(box, &FixedCellEditor::nothingComposed, this, &LengthWatch::showNotice);
    m_overLimit.risesPast(showCount());
    connect(document(), &QTextDocument::contentsChanged, this, &LengthWatch::update);
}

QTextDocument *LengthWatch::document() const
{
    return m_boxes.constFirst()->document();
}

qsizetype LengthWatch::showCount()
{
    const qsizetype count = MessageText::count(document()->toPlainText());
    m_count->setText(QString::number(count));
    // Five digits are wider than the label: a draft past 5,000 full-width
    // characters is counted in a smaller figure rather than losing one.
    WindowStyle::fitCaption(m_count);
    return count;
}

void LengthWatch::update()
{
    // The notice runs its own event loop; changes that arrive while it is
    // open must neither count nor raise a second notice.
    if (m_noticeOpen)
        return;
    if (m_overLimit.risesPast(showCount()) && m_noticeWanted) {
        m_noticeDue = true;
        // Only the box shown takes input.
        for (FixedCellEditor *box : std::as_const(m_boxes)) {
            if (!box->isHidden())
                box->waitUntilNothingComposed();
        }
    }
}

void LengthWatch::showNotice()
{
    // The box may have waited for a refusal of its own; and nothing is shown
    // without the window.
    if (!std::exchange(m_noticeDue, false) || !m_window->isVisible())
        return;
    m_noticeOpen = true;
    m_dialogs.showOverLimitNotice(m_window);
    m_noticeOpen = false;
    // The text may have changed meanwhile; the label shows it as it is now.
    showCount();
}
