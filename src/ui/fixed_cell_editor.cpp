#include "ui/fixed_cell_editor.h"

#include "ui/accessible_fixed_cell_editor.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <cmath>
#include <utility>

namespace {

// What a key puts into the text, as QPlainTextEdit reads it.
QString typedText(const QKeyEvent &event)
{
    const QString text = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ? QStringLiteral("\n") : event.text();
    const bool types = !text.isEmpty() && (text.front().isPrint() || text.front().isSpace());
    return types && !event.modifiers().testFlag(Qt::ControlModifier) ? text : QString();
}

} // namespace

FixedCellEditor::FixedCellEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    setWordWrapMode(QTextOption::WrapAnywhere);
    AccessibleFixedCellEditor::install();
    // IBus sends a commit and the next word's first letters as two events, and
    // the event loop may run between them; a fifth of a second covers the gap.
    m_refusalDue.setSingleShot(true);
    m_refusalDue.setInterval(std::chrono::milliseconds(200));
    connect(&m_refusalDue, &QTimer::timeout, this, &FixedCellEditor::tellRefusal);
}

void FixedCellEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    fitTextAreaToCells();
}

void FixedCellEditor::fitTextAreaToCells()
{
    // A hidden box is fitted by the resize event it gets as it is shown, with
    // the font it has then, so that no unseen font engine is loaded.
    if (m_cellsPerLine <= 0 || !isVisible())
        return;
    // Room for N full-width cells, and half a half-width cell to spare: one
    // more character of either width no longer fits.
    const QFontMetricsF metrics(font());
    const qreal lineWidth = m_cellsPerLine * metrics.horizontalAdvance(QChar(u'あ')) + metrics.horizontalAdvance(u'0') / 2;
    const int textArea = static_cast<int>(std::ceil(lineWidth + 2 * document()->documentMargin()));
    // What the cells leave over is shared out on both sides.
    const int spare = std::max(0, contentsRect().width() - textArea);
    const QMargins margins(spare / 2, 0, spare - spare / 2, 0);
    if (viewportMargins() != margins)
        setViewportMargins(margins);
}

void FixedCellEditor::scrollToShow(const QTextCursor &cursor)
{
    QScrollBar *lines = verticalScrollBar();
    while (cursorRect(cursor).top() < 0 && lines->value() > lines->minimum())
        lines->setValue(lines->value() - 1);
    while (cursorRect(cursor).bottom() > viewport()->height() && lines->value() < lines->maximum())
        lines->setValue(lines->value() + 1);
}

bool FixedCellEditor::admits(qsizetype incomingCharacters, int start, int end, Refusal refusal)
{
    const QString text = toPlainText();
    const qsizetype fitting = MessageText::room(text, start, end, m_movedOut);
    if (incomingCharacters <= fitting)
        return true;
    if (refusal == Refusal::Beep) {
        Q_EMIT typingRefused();
    } else {
        // A notice opened inside an input method's event or an accessibility
        // call would hold them up while it is open.
        m_refusedRoom = fitting;
        m_charactersWhenRefused = MessageText::characterCount(text);
        m_refusalDue.start();
    }
    return false;
}

// A notice that takes the focus from a word being composed takes its keys,
// and the input method commits its half-typed letters: it waits for the word,
// and tells the room that is left once the word is in.
void FixedCellEditor::tellRefusal()
{
    if (m_refusedRoom < 0 || !preedit().isEmpty())
        return;
    const qsizetype added = MessageText::characterCount(toPlainText()) - m_charactersWhenRefused;
    Q_EMIT insertionRefused(std::max<qsizetype>(0, std::exchange(m_refusedRoom, -1) - added));
}

void FixedCellEditor::keyPressEvent(QKeyEvent *event)
{
    m_committedByClick.clear();
    const QTextCursor cursor = textCursor();
    if (admits(typedText(*event), cursor.selectionStart(), cursor.selectionEnd(), Refusal::Beep))
        QPlainTextEdit::keyPressEvent(event);
}

// Paste, drop and the middle button's X11 selection all come through here.
void FixedCellEditor::insertFromMimeData(const QMimeData *source)
{
    const QTextCursor cursor = textCursor();
    if (!source->hasText() || admits(source->text(), cursor.selectionStart(), cursor.selectionEnd()))
        QPlainTextEdit::insertFromMimeData(source);
}

// Qt 6.4 moves text within the box by taking it out before it inserts the
// dropped copy, so the copy was counted against a text already without it: in
// a text at or over the limit the move was refused and the text was gone.
void FixedCellEditor::dropEvent(QDropEvent *event)
{
    const bool moves = event->dropAction() == Qt::MoveAction && event->source() == viewport();
    m_movedOut = moves ? MessageText::characterCount(textCursor().selectedText()) : 0;
    QPlainTextEdit::dropEvent(event);
    m_movedOut = 0;
}

void FixedCellEditor::inputMethodEvent(QInputMethodEvent *event)
{
    // Taking the unfinished text away on the way is no new input.
    if (!m_committedByClick.isEmpty() && (!event->preeditString().isEmpty() || !event->commitString().isEmpty())) {
        const QString committed = std::exchange(m_committedByClick, QString());
        if (!m_repeatExpected.hasExpired() && event->preeditString().isEmpty() && event->commitString() == committed)
            return;
    }
    QTextCursor cursor = textCursor();
    const bool replaces = event->replacementLength() > 0;
    const int length = document()->characterCount() - 1;
    const int start = replaces ? std::clamp(cursor.position() + event->replacementStart(), 0, length) : cursor.selectionStart();
    const int end = replaces ? std::clamp(start + event->replacementLength(), start, length) : cursor.selectionEnd();
    if (!admits(event->commitString(), start, end)) {
        QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&preeditOnly);
    } else if (replaces && cursor.hasSelection()) {
        // Qt 6.4 removes the selection, then counts the replacement from where
        // the caret lands; the input method counted from the selection's moving
        // end. Reconverting under IBus + Mozc deleted the text after it.
        cursor.setPosition(start);
        setTextCursor(cursor);
        QInputMethodEvent fromStart(event->preeditString(), event->attributes());
        fromStart.setCommitString(event->commitString(), 0, end - start);
        QPlainTextEdit::inputMethodEvent(&fromStart);
    } else {
        QPlainTextEdit::inputMethodEvent(event);
    }
    // Qt shows the line where a composition starts; a long one runs on below.
    if (!preedit().isEmpty())
        scrollToShow(textCursor());
    else if (m_refusedRoom >= 0)
        m_refusalDue.start();
}

// Qt 6.4's IBus support, asked to commit the composition on a click, sends it
// itself and then resets the input method, which commits it once more a moment
// later (Mozc does). The repeat is known by its text, nothing typed between.
bool FixedCellEditor::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QPlainTextEdit::viewportEvent(event);
    const QString pending = preedit();
    const int lengthBefore = document()->characterCount();
    const bool handled = QPlainTextEdit::viewportEvent(event);
    if (!pending.isEmpty() && preedit().isEmpty() && document()->characterCount() == lengthBefore + pending.size()) {
        m_committedByClick = pending;
        m_repeatExpected.setRemainingTime(1000); // over D-Bus it comes within milliseconds
    }
    return handled;
}
