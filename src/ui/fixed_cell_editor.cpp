#include "ui/fixed_cell_editor.h"

#include "core/message_text.h"
#include "ui/accessible_fixed_cell_editor.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

using MessageText::characterCount;

// What a key puts into the text, as QPlainTextEdit reads it: Return and Enter
// a line break, else printable text or a tab typed without Ctrl.
QString typedText(const QKeyEvent &event)
{
    const bool withControl = event.modifiers().testFlag(Qt::ControlModifier);
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return withControl ? QString() : QStringLiteral("\n");
    const QString text = event.text();
    if (withControl || text.isEmpty() || !(text.front().isPrint() || text.front() == u'\t'))
        return {};
    return text;
}

// How long a repeated commit may take to arrive after a click: it comes back
// over D-Bus from the input method, within milliseconds when all is well.
constexpr int RepeatedCommitWait = 1000;

} // namespace

FixedCellEditor::FixedCellEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    setWordWrapMode(QTextOption::WrapAnywhere);
    AccessibleFixedCellEditor::install();
}

void FixedCellEditor::setCellsPerLine(int cells)
{
    m_cellsPerLine = cells;
    fitTextAreaToCells();
}

void FixedCellEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitTextAreaToCells();
}

void FixedCellEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    fitTextAreaToCells();
}

void FixedCellEditor::fitTextAreaToCells()
{
    // A hidden box is fitted by the resize event it gets as it is shown,
    // with the font it has then: measuring the font the window definition
    // names first would load a font engine nobody sees.
    if (m_cellsPerLine <= 0 || !isVisible())
        return;
    const QFontMetricsF metrics(font());
    const qreal fullWidth = metrics.horizontalAdvance(QChar(u'あ'));
    const qreal halfWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    // Room for N full-width cells, and half a half-width cell to spare: one
    // more character of either width no longer fits.
    const qreal lineWidth = m_cellsPerLine * fullWidth + halfWidth / 2;
    const qreal documentMargins = 2 * document()->documentMargin();
    const int textArea = static_cast<int>(std::ceil(lineWidth + documentMargins));
    // What the cells leave over is shared out on both sides, so the lines
    // stand in the middle of the box.
    const int spare = std::max(0, contentsRect().width() - textArea);
    const QMargins margins(spare / 2, 0, spare - spare / 2, 0);
    if (viewportMargins() != margins)
        setViewportMargins(margins);
}

void FixedCellEditor::scrollToShow(const QTextCursor &cursor)
{
    QScrollBar *lines = verticalScrollBar();
    const QRect visible = viewport()->rect();
    while (cursorRect(cursor).top() < visible.top() && lines->value() > lines->minimum())
        lines->setValue(lines->value() - 1);
    while (cursorRect(cursor).bottom() > visible.bottom() && lines->value() < lines->maximum())
        lines->setValue(lines->value() + 1);
}

// --- The length limit ------------------------------------------------------

// How many characters may take the place of [start, end); less than none when
// the rest of the text is already over the limit.
qsizetype FixedCellEditor::room(int start, int end) const
{
    const QString text = toPlainText();
    const qsizetype kept = characterCount(text) - characterCount(QStringView(text).sliced(start, end - start));
    return MessageText::MaximumCharacters - kept;
}

// A text over the limit, as a stored draft may be, can still be edited as
// long as the edit does not lengthen it.
bool FixedCellEditor::fits(const QString &inserted, int start, int end) const
{
    const qsizetype added = characterCount(inserted);
    return added == 0 || added <= room(start, end)
           || added <= characterCount(QStringView(toPlainText()).sliced(start, end - start));
}

void FixedCellEditor::keyPressEvent(QKeyEvent *event)
{
    m_committedByClick.clear();
    const QTextCursor cursor = textCursor();
    if (!isReadOnly() && !fits(typedText(*event), cursor.selectionStart(), cursor.selectionEnd())) {
        event->accept();
        Q_EMIT typingRefused();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

// Paste, drop and the middle button's X11 selection all come through here.
void FixedCellEditor::insertFromMimeData(const QMimeData *source)
{
    const QTextCursor cursor = textCursor();
    if (source->hasText() && !fits(source->text(), cursor.selectionStart(), cursor.selectionEnd())) {
        Q_EMIT insertionRefused(std::max<qsizetype>(0, room(cursor.selectionStart(), cursor.selectionEnd())));
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

// --- Input methods ---------------------------------------------------------

QString FixedCellEditor::preedit() const
{
    return textCursor().block().layout()->preeditAreaText();
}

void FixedCellEditor::inputMethodEvent(QInputMethodEvent *event)
{
    if (repeatsCommitByClick(*event))
        return;
    QTextCursor cursor = textCursor();
    int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    const bool replaces = event->replacementLength() > 0;
    if (replaces) {
        const int length = document()->characterCount() - 1;
        start = std::clamp(cursor.position() + event->replacementStart(), 0, length);
        end = std::clamp(start + event->replacementLength(), start, length);
    }
    if (!fits(event->commitString(), start, end)) {
        QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&preeditOnly);
        Q_EMIT typingRefused();
        return;
    }
    if (!replaces || !cursor.hasSelection()) {
        QPlainTextEdit::inputMethodEvent(event);
        keepCompositionInSight();
        return;
    }
    // Qt 6.4 removes the selection first and then counts the replacement from
    // where the caret lands, but the input method counted it from the caret
    // it was told of, the selection's moving end: reconverting a selection
    // under IBus + Mozc deleted the text after it instead of the selection.
    cursor.setPosition(start);
    setTextCursor(cursor);
    QInputMethodEvent fromStart(event->preeditString(), event->attributes());
    fromStart.setCommitString(event->commitString(), 0, end - start);
    QPlainTextEdit::inputMethodEvent(&fromStart);
    keepCompositionInSight();
}

// QPlainTextEdit brings the line where a composition starts into sight, but
// a long one runs on for lines below it, with the input method's caret.
void FixedCellEditor::keepCompositionInSight()
{
    if (!preedit().isEmpty())
        scrollToShow(textCursor());
}

// Qt 6.4's IBus support, asked to commit the unfinished text when the user
// clicks while composing, sends it itself and then resets the input method,
// which commits the same text once more a moment later (Mozc does): the word
// ended up in the text twice. The repeat is recognised by its text, with no
// composing or typing in between.
void FixedCellEditor::mousePressEvent(QMouseEvent *event)
{
    const QString pending = preedit();
    const int lengthBefore = document()->characterCount();
    QPlainTextEdit::mousePressEvent(event);
    noteCommitByClick(pending, lengthBefore);
}

void FixedCellEditor::mouseReleaseEvent(QMouseEvent *event)
{
    const QString pending = preedit();
    const int lengthBefore = document()->characterCount();
    QPlainTextEdit::mouseReleaseEvent(event);
    noteCommitByClick(pending, lengthBefore);
}

void FixedCellEditor::noteCommitByClick(const QString &pending, int lengthBefore)
{
    if (pending.isEmpty() || !preedit().isEmpty() || document()->characterCount() != lengthBefore + pending.size())
        return;
    m_committedByClick = pending;
    m_repeatExpected.setRemainingTime(RepeatedCommitWait);
}

bool FixedCellEditor::repeatsCommitByClick(const QInputMethodEvent &event)
{
    if (m_committedByClick.isEmpty() || m_repeatExpected.hasExpired())
        return false;
    // Taking the unfinished text away on the way is no new input.
    if (event.preeditString().isEmpty() && event.commitString().isEmpty())
        return false;
    const bool repeat = event.preeditString().isEmpty() && event.commitString() == m_committedByClick;
    m_committedByClick.clear();
    return repeat;
}
