#include "ui/length_watch.h"

#include "core/message_text.h"
#include "ui/dialogs.h"
#include "ui/fixed_cell_editor.h"

#include <QLabel>

LengthWatch::LengthWatch(const QList<FixedCellEditor *> &boxes, QLabel *count, Dialogs &dialogs, QWidget *window)
    : QObject(window), m_boxes(boxes), m_count(count), m_dialogs(dialogs), m_window(window)
{
    // Opened a moment after the last input-method event: a key can commit one
    // word and start the next, and the new composition comes as an event of
    // its own. Moving the focus to a window while composing makes the input
    // method commit the half-typed word; from inside a commit, some input
    // methods commit it a second time.
    m_noticeWait.setSingleShot(true);
    m_noticeWait.setInterval(std::chrono::milliseconds(150));
    connect(&m_noticeWait, &QTimer::timeout, this, &LengthWatch::showNotice);
    for (FixedCellEditor *box : boxes)
        box->installEventFilter(this);
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
        m_noticeWait.start();
    }
}

bool LengthWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethod && m_noticeDue)
        m_noticeWait.start();
    return QObject::eventFilter(watched, event);
}

void LengthWatch::showNotice()
{
    // Closed in the meantime: nothing is shown without the window.
    if (!m_window->isVisible()) {
        m_noticeDue = false;
        return;
    }
    for (const FixedCellEditor *box : std::as_const(m_boxes)) {
        if (box->isComposing())
            return; // the input-method event that ends it starts the wait again
    }
    m_noticeDue = false;
    m_noticeOpen = true;
    m_dialogs.showOverLimitNotice(m_window);
    m_noticeOpen = false;
    // The text may have changed meanwhile; the label shows it as it is now.
    showCount();
}
