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
    // A notice that takes the focus from a word being composed takes its
    // keys, and the input method commits the half-typed letters. One opened
    // inside an input method's event or an accessibility call would hold them
    // up while it is open; from inside a commit, some input methods commit it
    // a second time. And IBus sends a commit and the next word's first letters
    // as two events, the event loop running between them: a fifth of a second
    // without input-method events covers the gap.
    m_quietWait.setSingleShot(true);
    m_quietWait.setInterval(std::chrono::milliseconds(200));
    connect(&m_quietWait, &QTimer::timeout, this, &FixedCellEditor::endQuietWait);
    connect(this, &FixedCellEditor::nothingComposed, this, &FixedCellEditor::tellRefusal);
}

void FixedCellEditor::endQuietWait()
{
    if (isComposing())
        m_quietWait.start(); // until the input-method event that ends it
    else
        Q_EMIT nothingComposed();
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

bool FixedCellEditor::admits(qsizetype incomingCharacters, int start, int end, TextEntry entry)
{
    const QString text = toPlainText();
    const qsizetype fitting = MessageText::room(text, start, end, m_movedOut);
    if (incomingCharacters <= fitting)
        return true;
    if (entry == TextEntry::Typing) {
        Q_EMIT typingRefused();
    } else {
        m_refusedRoom = fitting;
        m_charactersWhenRefused = MessageText::characterCount(text);
        m_refusedEntry = entry;
        waitUntilNothingComposed();
    }
    return false;
}

// Told once the word is in, with the room that is left then.
void FixedCellEditor::tellRefusal()
{
    if (m_refusedRoom < 0)
        return;
    const qsizetype added = MessageText::characterCount(toPlainText()) - m_charactersWhenRefused;
    Q_EMIT insertionRefused(std::max<qsizetype>(0, std::exchange(m_refusedRoom, -1) - added), m_refusedEntry);
}

void FixedCellEditor::keyPressEvent(QKeyEvent *event)
{
    m_committedByClick.clear();
    const QTextCursor cursor = textCursor();
    if (admits(typedText(*event), cursor.selectionStart(), cursor.selectionEnd(), TextEntry::Typing))
        QPlainTextEdit::keyPressEvent(event);
}

// Paste, drop and the middle button's X11 selection all come through here.
// The box takes only text. Qt 6.4 reads the first of the formats offered
// without checking that there is one, and crashed on Ctrl+V while nothing
// owned the clipboard.
void FixedCellEditor::insertFromMimeData(const QMimeData *source)
{
    const QTextCursor cursor = textCursor();
    if (source->hasText() && admits(source->text(), cursor.selectionStart(), cursor.selectionEnd(), TextEntry::Paste))
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
    if (m_quietWait.isActive())
        m_quietWait.start();
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
    if (!admits(event->commitString(), start, end, TextEntry::Input)) {
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
