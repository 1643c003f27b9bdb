#include "ui/fixed_cell_editor.h"

#include "ui/accessible_fixed_cell_editor.h"

#include <QGuiApplication>
#include <QInputMethod>
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
}

void FixedCellEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    fitTextAreaToCells();
}

// The two widths are two boxes over one document, one shown at a time. Qt 6.4
// lays a shared document out at the width of the box that first did (only a
// wider one takes over), in the font of the box whose font changed last. The
// box put away gives up its width, and the box shown takes the layout over
// with its own width and font, both while hidden. Each change would have both
// boxes lay the text out again for a repaint; the box shown is painted whole
// anyway, and sets its scroll range as it is shown.
void FixedCellEditor::setVisible(bool visible)
{
    const bool switching = m_cellsPerLine > 0 && visible != isVisible() && parentWidget() && parentWidget()->isVisible();
    if (!switching) {
        QPlainTextEdit::setVisible(visible);
        return;
    }
    if (!visible)
        QPlainTextEdit::setVisible(false);
    {
        const QSignalBlocker unpainted(document()->documentLayout());
        setTextAreaWhileHidden(visible ? cellMargins() : QMargins(0, 0, contentsRect().width(), 0));
        if (visible && document()->defaultFont() != font())
            document()->setDefaultFont(font());
    }
    if (visible)
        QPlainTextEdit::setVisible(true);
}

// Qt resizes a hidden box's text area as it is shown, and lays the text out
// again there.
void FixedCellEditor::setTextAreaWhileHidden(const QMargins &margins)
{
    const QSize before = viewport()->size();
    setViewportMargins(margins);
    QResizeEvent resized(viewport()->size(), before);
    resizeEvent(&resized);
    viewport()->setAttribute(Qt::WA_PendingResizeEvent, false);
}

void FixedCellEditor::showEvent(QShowEvent *event)
{
    QPlainTextEdit::showEvent(event);
    fitTextAreaToCells();
    if (document()->defaultFont() != font())
        document()->setDefaultFont(font());
}

void FixedCellEditor::fitTextAreaToCells()
{
    // A hidden box is fitted by the resize event it gets as it is shown, with
    // the font it has then, so that no unseen font engine is loaded.
    if (m_cellsPerLine <= 0 || !isVisible())
        return;
    const QMargins margins = cellMargins();
    if (viewportMargins() != margins)
        setViewportMargins(margins);
}

QMargins FixedCellEditor::cellMargins() const
{
    // Room for N full-width cells, and half a half-width cell to spare: one
    // more character of either width no longer fits.
    const QFontMetricsF metrics(font());
    const qreal lineWidth = m_cellsPerLine * metrics.horizontalAdvance(QChar(u'あ')) + metrics.horizontalAdvance(u'0') / 2;
    const int textArea = static_cast<int>(std::ceil(lineWidth + 2 * document()->documentMargin()));
    // What the cells leave over is shared out on both sides.
    const int spare = std::max(0, contentsRect().width() - textArea);
    return {spare / 2, 0, spare - spare / 2, 0};
}

void FixedCellEditor::scrollToShow(const QTextCursor &cursor)
{
    QScrollBar *lines = verticalScrollBar();
    while (cursorRect(cursor).top() < 0 && lines->value() > lines->minimum())
        lines->setValue(lines->value() - 1);
    while (cursorRect(cursor).bottom() > viewport()->height() && lines->value() < lines->maximum())
        lines->setValue(lines->value() + 1);
}

void FixedCellEditor::keyPressEvent(QKeyEvent *event)
{
    m_committedByClick.clear();
    const QTextCursor cursor = textCursor();
    if (MessageText::characterCount(typedText(*event)) <= room(cursor.selectionStart(), cursor.selectionEnd()))
        QPlainTextEdit::keyPressEvent(event);
    else
        Q_EMIT typingRefused();
}

// Paste, drop and the middle button's X11 selection all come through here.
void FixedCellEditor::insertFromMimeData(const QMimeData *source)
{
    const QTextCursor cursor = textCursor();
    const qsizetype fitting = room(cursor.selectionStart(), cursor.selectionEnd());
    if (source->hasText() && MessageText::characterCount(source->text()) > fitting)
        Q_EMIT insertionRefused(fitting);
    else
        QPlainTextEdit::insertFromMimeData(source);
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
    if (MessageText::characterCount(event->commitString()) > room(start, end)) {
        QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&preeditOnly);
        Q_EMIT typingRefused();
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
}

// A click in the box while composing: Qt 6.4 asks the input method to commit
// and drops a composition it keeps (or, on the composition, leaves it to the
// input method). Finished first, it is kept as shown wherever the click lands.
bool FixedCellEditor::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        finishComposition();
    return QPlainTextEdit::viewportEvent(event);
}

// Qt 6.4's IBus support, asked to commit the composition, sends it itself and
// then resets the input method, which commits it once more a moment later
// (Mozc does). The repeat is known by its text, nothing typed between.
void FixedCellEditor::expectRepeatedCommit(const QString &pending, int lengthBefore)
{
    if (!pending.isEmpty() && preedit().isEmpty() && document()->characterCount() == lengthBefore + pending.size()) {
        m_committedByClick = pending;
        m_repeatExpected.setRemainingTime(1000); // over D-Bus it comes within milliseconds
    }
}

// An input method that ignores the request to commit has its composition
// taken as shown and then reset, which may commit it again.
void FixedCellEditor::finishComposition()
{
    const QString pending = preedit();
    if (pending.isEmpty())
        return;
    const int lengthBefore = document()->characterCount();
    QGuiApplication::inputMethod()->commit();
    const bool ignored = !preedit().isEmpty();
    if (ignored) {
        QInputMethodEvent asShown;
        asShown.setCommitString(pending);
        QCoreApplication::sendEvent(this, &asShown);
    }
    expectRepeatedCommit(pending, lengthBefore);
    if (ignored)
        QGuiApplication::inputMethod()->reset();
}
