#include "ui/fixed_cell_editor.h"

#include "ui/accessible_fixed_cell_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Leaves the lines to the editor. Qt's own view code meets paragraphs of no
// size, so it neither scrolls nor lays anything out.
class LinesLeftToTheEditor : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;
    void documentChanged(int, int, int) override {}
    QRectF blockBoundingRect(const QTextBlock &) const override { return {}; }
    QSizeF documentSize() const override { return {}; }
};

CellLines::Advance advanceIn(const QFont &font)
{
    return [metrics = QFontMetricsF(font)](QStringView cluster) {
        return qint32(std::lround(metrics.horizontalAdvance(cluster.toString()) * 64));
    };
}

// How far around the caret the input method and the moves by character or
// word look: enough for any word, never the whole of an enormous paragraph.
constexpr int Reach = 256;

// The stretch of a paragraph around a position that the caret's neighbours
// are looked for in: up to Reach units on either side.
struct Stretch {
    qsizetype from;
    qsizetype to;
};

Stretch around(const QString &text, qsizetype position)
{
    Stretch stretch{position, position};
    while (stretch.from > 0 && position - stretch.from < Reach && text.at(stretch.from - 1) != QChar::ParagraphSeparator)
        --stretch.from;
    while (stretch.to < text.size() && stretch.to - position < Reach && text.at(stretch.to) != QChar::ParagraphSeparator)
        ++stretch.to;
    return stretch;
}

// The largest change copied into the shown text as it comes; a larger one
// (a paste, a new text) has it read again whole.
constexpr int LargestCopiedChange = 256;

// A line's height as QPlainTextEdit stacks its lines.
qreal heightOf(const QTextLine &line)
{
    return line.height() + (line.leading() < 0 ? std::ceil(line.leading()) : 0);
}

} // namespace

FixedCellEditor::FixedCellEditor(QWidget *parent)
    : QPlainTextEdit(parent), m_lines(m_shown, advanceIn(font()))
{
    AccessibleFixedCellEditor::install();
    auto *text = new QTextDocument(this);
    text->setDocumentLayout(new LinesLeftToTheEditor(text));
    text->setDefaultFont(font());
    setDocument(text);
    setWordWrapMode(QTextOption::WrapAnywhere);
    m_lines.setTabStop(qint32(std::lround(document()->defaultTextOption().tabStopDistance() * 64)));
    connect(text, &QTextDocument::contentsChange, this,
            &FixedCellEditor::noteContentsChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &FixedCellEditor::noteCaretMove);
    connect(this, &QPlainTextEdit::selectionChanged, viewport(), qOverload<>(&QWidget::update));
}

void FixedCellEditor::setCellsPerLine(int cells)
{
    m_cellsPerLine = cells;
    fitTextAreaToCells();
}

void FixedCellEditor::setLineFormats(LineFormats formats)
{
    m_lineFormats = std::move(formats);
    viewport()->update();
}

void FixedCellEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_lines.setAdvance(advanceIn(font()));
        fitTextAreaToCells();
    }
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
    if (m_cellsPerLine > 0 && isVisible()) {
        const QFontMetricsF metrics(font());
        const qreal fullWidth = metrics.horizontalAdvance(QChar(u'あ'));
        const qreal halfWidth = metrics.horizontalAdvance(QLatin1Char('0'));
        // Room for N full-width cells, and half a half-width cell to spare:
        // one more character of either width no longer fits.
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
    m_lines.setWidth(qint32(std::lround((viewport()->width() - 2 * document()->documentMargin()) * 64)));
    m_caretToBeShown = true;
}

// --- Keeping up with the document ----------------------------------------------

void FixedCellEditor::noteContentsChange(int position, int removed, int added)
{
    if (!m_inInputMethodEvent && !m_preedit.text.isEmpty()) {
        // Changed from elsewhere: the unfinished text shown is gone with it.
        position = std::min(position, m_preedit.position);
        m_preedit = {};
        m_shownStale = true;
    }
    // A keystroke's change is copied in; anything larger, or with unfinished
    // text in the way, is read again whole when next needed.
    const QTextDocument *text = document();
    if (!m_shownStale && m_preedit.text.isEmpty() && added <= LargestCopiedChange
        && m_shown.size() - removed + added == text->characterCount() - 1) {
        QString inserted(added, Qt::Uninitialized);
        for (int i = 0; i < added; ++i)
            inserted[i] = text->characterAt(position + i);
        m_shown.replace(position, removed, inserted);
        m_lines.textChanged(position);
    } else {
        m_changedFrom = m_shownStale ? std::min(m_changedFrom, position) : position;
        m_shownStale = true;
    }
    m_caretToBeShown = true;
    restartBlinking();
    viewport()->update();
}

void FixedCellEditor::noteCaretMove()
{
    if (!m_movingVertically)
        m_goalX = -1;
    m_caretToBeShown = true;
    restartBlinking();
    viewport()->update();
}

void FixedCellEditor::settle()
{
    if (m_shownStale) {
        m_shown = document()->toRawText();
        if (!m_preedit.text.isEmpty())
            m_shown.insert(m_preedit.position, m_preedit.text);
        m_lines.textChanged(m_changedFrom);
        m_shownStale = false;
    }
    if (m_caretToBeShown) {
        m_caretToBeShown = false;
        scrollToCaret();
    }
}

int FixedCellEditor::shownPosition(int position) const
{
    return !m_preedit.text.isEmpty() && position > m_preedit.position ? position + int(m_preedit.text.size())
                                                                       : position;
}

int FixedCellEditor::documentPosition(int shown) const
{
    if (m_preedit.text.isEmpty() || shown <= m_preedit.position)
        return shown;
    return std::max(m_preedit.position, shown - int(m_preedit.text.size()));
}

int FixedCellEditor::caretShownPosition() const
{
    return m_preedit.text.isEmpty() ? textCursor().position() : m_preedit.position + m_preedit.caret;
}

// --- Lines -------------------------------------------------------------------

// One line laid out by Qt as in QPlainTextEdit: in the box's width, with the
// line that follows when this one wraps, so that a blank at the wrap hangs
// and a selection is drawn as Qt draws it in a paragraph.
std::unique_ptr<QTextLayout> FixedCellEditor::layLine(qsizetype line, bool withFormats)
{
    const qsizetype from = m_lines.start(line);
    const bool wraps = m_lines.hasLine(line + 1) && m_lines.start(line + 1) == m_lines.end(line);
    const qsizetype to = wraps ? m_lines.end(line + 1) : m_lines.end(line);
    auto layout = std::make_unique<QTextLayout>(m_shown.mid(from, to - from), font());
    layout->setTextOption(document()->defaultTextOption());
    layout->setCacheEnabled(true);
    if (withFormats) {
        QList<QTextLayout::FormatRange> formats;
        if (m_lineFormats)
            formats = m_lineFormats(layout->text());
        for (QTextLayout::FormatRange format : m_preedit.formats) {
            format.start += int(m_preedit.position - from);
            formats.append(format);
        }
        layout->setFormats(formats);
    }
    layout->beginLayout();
    // The line that follows is laid out too, as Qt needs it to draw this one
    // as a line within its paragraph, but out of reach, never drawn.
    const qreal width = viewport()->width() - 2 * document()->documentMargin();
    for (QTextLine textLine = layout->createLine(); textLine.isValid(); textLine = layout->createLine()) {
        textLine.setLeadingIncluded(true);
        textLine.setLineWidth(width);
        textLine.setPosition(QPointF(document()->documentMargin(), textLine.lineNumber() == 0 ? 0 : QWIDGETSIZE_MAX));
    }
    layout->endLayout();
    return layout;
}

qreal FixedCellEditor::lineHeight(qsizetype line)
{
    return heightOf(layLine(line, false)->lineAt(0));
}

// The document margin is above the first line only, as in QPlainTextEdit.
qreal FixedCellEditor::firstLineTop() const
{
    return m_topLine == 0 ? document()->documentMargin() : 0;
}

// The line at a height in the viewport: above the first line shown, the one
// before it; below the last, the one after it (so that a drag scrolls).
qsizetype FixedCellEditor::lineAtY(qreal y)
{
    qreal lineTop = firstLineTop();
    if (y < lineTop && m_topLine > 0)
        return m_topLine - 1;
    qsizetype line = m_topLine;
    for (;;) {
        lineTop += lineHeight(line);
        if (y < lineTop || !m_lines.hasLine(line + 1) || lineTop > viewport()->height())
            return line;
        ++line;
    }
}

qsizetype FixedCellEditor::visibleLineCount()
{
    return std::max<qsizetype>(1, qsizetype(viewport()->height() / lineHeight(m_topLine)));
}

QStringList FixedCellEditor::shownLines()
{
    settle();
    QStringList lines;
    for (qsizetype line = 0; m_lines.hasLine(line); ++line)
        lines << m_shown.mid(m_lines.start(line), m_lines.end(line) - m_lines.start(line));
    return lines;
}

// Lines out of sight have tops outside the viewport, measured only roughly:
// an input method may ask where a selection's far end is.
qreal FixedCellEditor::lineTop(qsizetype line)
{
    qreal top = firstLineTop();
    if (line < m_topLine)
        return top - (m_topLine - line) * lineHeight(line);
    for (qsizetype below = m_topLine; below < line && top <= viewport()->height(); ++below)
        top += lineHeight(below);
    return top;
}

QRect FixedCellEditor::caretRect(int position)
{
    settle();
    return caretRectAt(shownPosition(position));
}

QRect FixedCellEditor::caretRectAt(int shown)
{
    const qsizetype line = m_lines.lineAt(shown);
    const auto layout = layLine(line, false);
    const QTextLine textLine = layout->lineAt(0);
    const qreal x = textLine.cursorToX(int(shown - m_lines.start(line)));
    return QRectF(x, lineTop(line), std::max(1, cursorWidth()), textLine.height()).toAlignedRect();
}

QRect FixedCellEditor::characterRect(int position)
{
    settle();
    const int shown = shownPosition(position);
    const qsizetype line = m_lines.lineAt(shown);
    const auto layout = layLine(line, false);
    const QTextLine textLine = layout->lineAt(0);
    const int inLine = int(shown - m_lines.start(line));
    const qreal top = lineTop(line);
    return QRectF(QPointF(textLine.cursorToX(inLine), top),
                  QPointF(textLine.cursorToX(layout->nextCursorPosition(inLine)), top + textLine.height()))
        .toAlignedRect();
}

int FixedCellEditor::positionAt(QPoint viewportPoint)
{
    settle();
    const qsizetype line = lineAtY(viewportPoint.y());
    const auto layout = layLine(line, false);
    const int inLine = layout->lineAt(0).xToCursor(viewportPoint.x());
    return documentPosition(int(m_lines.start(line) + inLine));
}

void FixedCellEditor::scrollToCaret()
{
    scrollToLine(m_lines.lineAt(caretShownPosition()));
}

void FixedCellEditor::scrollToPosition(int position)
{
    settle();
    scrollToLine(m_lines.lineAt(shownPosition(position)));
    viewport()->update();
}

// Brings a line into sight: to the top when it is above, to the bottom when
// it is below, not at all when it is seen already.
void FixedCellEditor::scrollToLine(qsizetype target)
{
    if (target <= m_topLine) {
        m_topLine = target;
        return;
    }
    const qreal room = viewport()->height();
    qreal bottom = firstLineTop();
    for (qsizetype line = m_topLine; bottom <= room; ++line) {
        bottom += lineHeight(line);
        if (line == target) {
            if (bottom <= room)
                return;
            break;
        }
    }
    qsizetype top = target;
    bottom = lineHeight(target);
    while (top > 0 && bottom + lineHeight(top - 1) + (top == 1 ? document()->documentMargin() : 0) <= room)
        bottom += lineHeight(--top);
    m_topLine = top;
}

void FixedCellEditor::scrollBy(qsizetype lines)
{
    qsizetype top = std::max<qsizetype>(0, m_topLine + lines);
    // Not past the point where the last line stands at the bottom.
    const qsizetype shown = visibleLineCount();
    if (lines > 0 && !m_lines.hasLine(top + shown - 1))
        top = std::max<qsizetype>(0, std::min(top, m_lines.lineAt(m_shown.size()) - shown + 1));
    if (top != m_topLine) {
        m_topLine = std::max<qsizetype>(0, top);
        viewport()->update();
        updateMicroFocus();
    }
}

void FixedCellEditor::scrollContentsBy(int, int)
{
    // QPlainTextEdit's scroll bars are hidden and it knows no lines here:
    // the box scrolls by its own lines.
}

// --- Drawing -----------------------------------------------------------------

void FixedCellEditor::paintEvent(QPaintEvent *event)
{
    settle();
    QPainter painter(viewport());
    painter.setPen(palette().text().color());
    const QRect area = event->rect();
    const QTextCursor cursor = textCursor();
    const int selectionStart = shownPosition(cursor.selectionStart());
    const int selectionEnd = shownPosition(cursor.selectionEnd());
    QTextCharFormat selected;
    const QPalette::ColorGroup group = m_typedInto ? QPalette::Active : QPalette::Inactive;
    selected.setBackground(palette().brush(group, QPalette::Highlight));
    selected.setForeground(palette().brush(group, QPalette::HighlightedText));
    int caret = -1;
    if (m_dropPosition >= 0)
        caret = shownPosition(m_dropPosition);
    else if (m_typedInto && m_caretOn && !isReadOnly() && (m_preedit.text.isEmpty() || m_preedit.caretShown))
        caret = caretShownPosition();
    const qsizetype caretLine = caret >= 0 ? m_lines.lineAt(caret) : -1;

    qreal top = firstLineTop();
    for (qsizetype line = m_topLine; top <= area.bottom() && m_lines.hasLine(line); ++line) {
        const auto layout = layLine(line, true);
        const qreal height = heightOf(layout->lineAt(0));
        if (top + height >= area.top()) {
            const qsizetype from = m_lines.start(line);
            const qsizetype to = m_lines.end(line);
            QList<QTextLayout::FormatRange> selections;
            if (selectionStart < selectionEnd && selectionStart <= to && selectionEnd > from)
                selections.append({int(selectionStart - from), selectionEnd - selectionStart, selected});
            layout->draw(&painter, QPointF(0, top), selections, area);
            if (line == caretLine)
                layout->drawCursor(&painter, QPointF(0, top), int(caret - from), cursorWidth());
        }
        top += height;
    }
}

void FixedCellEditor::restartBlinking()
{
    m_caretOn = true;
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_typedInto && flashTime >= 2)
        m_blinking.start(flashTime / 2, this);
    else
        m_blinking.stop();
}

void FixedCellEditor::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_blinking.timerId()) {
        QPlainTextEdit::timerEvent(event);
        return;
    }
    m_caretOn = !m_caretOn;
    viewport()->update();
}

// Focus changes pass QPlainTextEdit by: its own caret would blink, and its
// selection be repainted, through Qt's layout of the whole paragraph. The box
// draws both itself.
void FixedCellEditor::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    m_typedInto = true;
    restartBlinking();
    viewport()->update();
}

void FixedCellEditor::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_typedInto = false;
    m_blinking.stop();
    viewport()->update();
}

// --- Keys --------------------------------------------------------------------

namespace {

// Whether a key types its text, by QPlainTextEdit's own rule.
bool typesText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format)
        return true;
    // Control, alone or with Shift, makes shortcuts; with Alt it is AltGr.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse
           || (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

} // namespace

void FixedCellEditor::keyPressEvent(QKeyEvent *event)
{
    if (!m_typedInto) {
        m_typedInto = true;
        restartBlinking();
    }
    // Any key brings the caret back into sight, moved or not.
    m_caretToBeShown = true;
    settle();
    if (moveCaret(event)) {
        event->accept();
    } else if (!isReadOnly() && typesText(event)) {
        const QString text = event->text();
        edit(Edit::Typing, [&text](QTextCursor &cursor) { cursor.insertText(text); });
        event->accept();
    } else if (!isReadOnly() && event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
        edit(Edit::DeletingBack, [](QTextCursor &cursor) { cursor.deletePreviousChar(); });
        event->accept();
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
}

// Makes a change by typing or deleting at the caret. A run of them is one undo
// step, as QPlainTextEdit makes it; the edit block also spares Qt from laying
// out the whole paragraph to place the caret afterwards.
void FixedCellEditor::edit(Edit kind, const std::function<void(QTextCursor &)> &change)
{
    QTextCursor cursor = textCursor();
    const QTextDocument *text = document();
    const bool goesOn = m_lastEdit.kind == kind && m_lastEdit.revision == text->revision()
                        && m_lastEdit.undoSteps == text->availableUndoSteps()
                        && m_lastEdit.position == cursor.position();
    if (goesOn)
        cursor.joinPreviousEditBlock();
    else
        cursor.beginEditBlock();
    change(cursor);
    cursor.endEditBlock();
    m_lastEdit = {kind, text->revision(), text->availableUndoSteps(), textCursor().position()};
}

// The moves and deletions that need the lines or the characters around the
// caret; QPlainTextEdit would look at the whole paragraph for each. Typing,
// the clipboard, undo and the rest stay QPlainTextEdit's.
bool FixedCellEditor::moveCaret(QKeyEvent *event)
{
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    const auto keyIs = [event](QKeySequence::StandardKey move, QKeySequence::StandardKey select) {
        return event->matches(move) || event->matches(select);
    };
    const QTextCursor::MoveMode mode =
        event->modifiers() & Qt::ShiftModifier ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    const bool collapse = mode == QTextCursor::MoveAnchor && cursor.hasSelection();

    if (keyIs(QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar)) {
        setCaret(collapse ? cursor.selectionEnd() : stepFrom(position, true, QTextLayout::SkipCharacters), mode);
    } else if (keyIs(QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar)) {
        setCaret(collapse ? cursor.selectionStart() : stepFrom(position, false, QTextLayout::SkipCharacters), mode);
    } else if (keyIs(QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord)) {
        setCaret(stepFrom(position, true, QTextLayout::SkipWords), mode);
    } else if (keyIs(QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord)) {
        setCaret(stepFrom(position, false, QTextLayout::SkipWords), mode);
    } else if (keyIs(QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine)) {
        setCaret(verticalStep(position, 1), mode);
    } else if (keyIs(QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine)) {
        setCaret(verticalStep(position, -1), mode);
    } else if (keyIs(QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage)) {
        turnPage(1, mode);
    } else if (keyIs(QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage)) {
        turnPage(-1, mode);
    } else if (keyIs(QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine)) {
        setCaret(documentPosition(int(m_lines.start(m_lines.lineAt(shownPosition(position))))), mode);
    } else if (keyIs(QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine)) {
        const qsizetype line = m_lines.lineAt(shownPosition(position));
        qsizetype end = m_lines.end(line);
        // As QTextCursor does: the end of a line that wraps is its last
        // position only when a blank is what it wraps after; otherwise the
        // caret shows at the start of the next line.
        if (m_lines.hasLine(line + 1) && m_lines.start(line + 1) == end && end > m_lines.start(line)
            && m_shown.at(end - 1).isSpace())
            --end;
        setCaret(documentPosition(int(end)), mode);
    } else if (keyIs(QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument)) {
        setCaret(0, mode);
    } else if (keyIs(QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument)) {
        setCaret(documentPosition(int(m_shown.size())), mode);
    } else if (isReadOnly()) {
        return false;
    } else if (event->matches(QKeySequence::Delete)) {
        deleteTo(stepFrom(position, true, QTextLayout::SkipCharacters), Edit::DeletingForward);
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        deleteTo(stepFrom(position, true, QTextLayout::SkipWords), Edit::DeletingForward);
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        deleteTo(stepFrom(position, false, QTextLayout::SkipWords), Edit::DeletingBack);
    } else {
        return false;
    }
    return true;
}

// The box and the caret move by the lines shown, so that the caret keeps its
// place on the screen, as in QPlainTextEdit.
void FixedCellEditor::turnPage(int direction, QTextCursor::MoveMode mode)
{
    const qsizetype page = visibleLineCount();
    const int target = verticalStep(textCursor().position(), direction * page);
    scrollBy(direction * page);
    setCaret(target, mode);
}

// Deletes the selection, or else from the caret to `end`.
void FixedCellEditor::deleteTo(int end, Edit kind)
{
    edit(kind, [end](QTextCursor &deleting) {
        if (!deleting.hasSelection())
            deleting.setPosition(end, QTextCursor::KeepAnchor);
        deleting.removeSelectedText();
    });
}

void FixedCellEditor::setCaret(int position, QTextCursor::MoveMode mode)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(position, mode);
    setTextCursor(cursor);
    m_movingVertically = false;
    if (mode == QTextCursor::KeepAnchor)
        offerSelection();
}

// The next or previous caret position by character or word, found in the
// caret's surroundings only; a paragraph break is one step.
int FixedCellEditor::stepFrom(int position, bool forward, QTextLayout::CursorMode mode) const
{
    const QString &text = m_shown;
    if (forward ? position >= text.size() : position <= 0)
        return position;
    if (forward && text.at(position) == QChar::ParagraphSeparator)
        return position + 1;
    if (!forward && text.at(position - 1) == QChar::ParagraphSeparator)
        return position - 1;
    const Stretch stretch = around(text, position);
    const QTextLayout layout(text.mid(stretch.from, stretch.to - stretch.from));
    const int inside = int(position - stretch.from);
    return int(stretch.from)
           + (forward ? layout.nextCursorPosition(inside, mode) : layout.previousCursorPosition(inside, mode));
}

int FixedCellEditor::verticalStep(int position, qsizetype lines)
{
    const int shown = shownPosition(position);
    const qsizetype line = m_lines.lineAt(shown);
    if (m_goalX < 0)
        m_goalX = layLine(line, false)->lineAt(0).cursorToX(int(shown - m_lines.start(line)));
    qsizetype target = std::max<qsizetype>(0, line + lines);
    if (!m_lines.hasLine(target))
        target = m_lines.lineAt(m_shown.size());
    if (target == line)
        return position;
    const int inLine = layLine(target, false)->lineAt(0).xToCursor(m_goalX);
    m_movingVertically = true;
    return documentPosition(int(m_lines.start(target) + inLine));
}

// --- The input method --------------------------------------------------------

// Owned here rather than by QPlainTextEdit, which would lay out the whole
// paragraph to place each commit, and whose unfinished text lives in Qt's
// own paragraph layout, which this box does not use.
void FixedCellEditor::inputMethodEvent(QInputMethodEvent *event)
{
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    m_typedInto = true;
    const bool changesText = !event->commitString().isEmpty() || event->replacementLength() > 0;
    if (changesText || event->preeditString() != m_preedit.text) {
        m_inInputMethodEvent = true;
        edit(Edit::Typing, [event](QTextCursor &cursor) {
            // Typing over a selection replaces it, as soon as composing starts.
            cursor.removeSelectedText();
            if (event->replacementStart() != 0 || event->replacementLength() > 0) {
                cursor.setPosition(cursor.position() + event->replacementStart());
                cursor.setPosition(cursor.position() + event->replacementLength(), QTextCursor::KeepAnchor);
            }
            cursor.insertText(event->commitString());
        });
        m_inInputMethodEvent = false;
    }
    const int before = m_preedit.text.isEmpty() ? INT_MAX : m_preedit.position;
    Preedit preedit;
    preedit.text = event->preeditString();
    preedit.position = textCursor().position();
    for (const QInputMethodEvent::Attribute &attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            preedit.caret = attribute.start;
            preedit.caretShown = attribute.length != 0;
        } else if (attribute.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = qvariant_cast<QTextFormat>(attribute.value).toCharFormat();
            if (format.isValid())
                preedit.formats.append({attribute.start, attribute.length, format});
        } else if (attribute.type == QInputMethodEvent::Selection && preedit.text.isEmpty()) {
            // Positions in the text the box gave as surrounding text.
            QTextCursor cursor = textCursor();
            const int from = int(around(documentText(), cursor.position()).from);
            cursor.setPosition(from + attribute.start);
            cursor.setPosition(from + attribute.start + attribute.length, QTextCursor::KeepAnchor);
            setTextCursor(cursor);
        }
    }
    event->accept();
    if (preedit.text.isEmpty() && m_preedit.text.isEmpty())
        return;
    const int from = std::min(before, preedit.position);
    m_changedFrom = m_shownStale ? std::min(m_changedFrom, from) : from;
    m_preedit = std::move(preedit);
    m_shownStale = true;
    m_caretToBeShown = true;
    viewport()->update();
    updateMicroFocus();
}

// The document's text, as the shown text is without the input method's
// unfinished text.
QString FixedCellEditor::documentText()
{
    settle();
    return m_preedit.text.isEmpty() ? m_shown : document()->toRawText();
}

QVariant FixedCellEditor::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // The lines are found as they are asked for, so even a question finds some.
    auto *self = const_cast<FixedCellEditor *>(this);
    const QTextCursor cursor = textCursor();
    switch (query) {
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle: {
        self->settle();
        const int shown = query == Qt::ImCursorRectangle ? caretShownPosition() : shownPosition(cursor.anchor());
        return QRectF(self->caretRectAt(shown).translated(viewport()->pos()));
    }
    case Qt::ImSurroundingText:
    case Qt::ImTextBeforeCursor:
    case Qt::ImTextAfterCursor:
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        // The paragraph around the caret, as far as an input method can use.
        const int position = cursor.position();
        const QString text = self->documentText();
        const auto [from, to] = around(text, position);
        const int anchor = cursor.anchor() >= from && cursor.anchor() <= to ? cursor.anchor() : position;
        switch (query) {
        case Qt::ImSurroundingText:
            return text.mid(from, to - from);
        case Qt::ImTextBeforeCursor:
            return text.mid(from, position - from);
        case Qt::ImTextAfterCursor:
            return text.mid(position, to - position);
        case Qt::ImCursorPosition:
            return int(position - from);
        default:
            return int(anchor - from);
        }
    }
    default:
        return QPlainTextEdit::inputMethodQuery(query);
    }
}

// --- The mouse ---------------------------------------------------------------

QTextCursor FixedCellEditor::wordSelection(int position) const
{
    const Stretch stretch = around(m_shown, position);
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, m_shown.mid(stretch.from, stretch.to - stretch.from));
    const int inside = int(position - stretch.from);
    words.setPosition(inside);
    const qsizetype start = words.isAtBoundary() ? inside : words.toPreviousBoundary();
    words.setPosition(inside);
    const qsizetype end = words.toNextBoundary();
    QTextCursor word = textCursor();
    word.setPosition(documentPosition(int(stretch.from + std::max<qsizetype>(0, start))));
    word.setPosition(documentPosition(int(stretch.from + (end < 0 ? inside : end))), QTextCursor::KeepAnchor);
    return word;
}

QTextCursor FixedCellEditor::lineSelection(int position)
{
    const qsizetype line = m_lines.lineAt(shownPosition(position));
    QTextCursor whole = textCursor();
    whole.setPosition(documentPosition(int(m_lines.start(line))));
    whole.setPosition(documentPosition(int(m_lines.end(line))), QTextCursor::KeepAnchor);
    return whole;
}

void FixedCellEditor::offerSelection()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && textCursor().hasSelection())
        clipboard->setMimeData(createMimeDataFromSelection(), QClipboard::Selection);
}

void FixedCellEditor::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!m_preedit.text.isEmpty())
        QGuiApplication::inputMethod()->commit();
    const QPoint point = event->position().toPoint();
    const int position = positionAt(point);
    QTextCursor cursor = textCursor();
    const bool thirdClick = m_sinceDoubleClick.isValid()
                            && !m_sinceDoubleClick.hasExpired(QGuiApplication::styleHints()->mouseDoubleClickInterval())
                            && (point - m_pressPoint).manhattanLength() < QApplication::startDragDistance();
    m_sinceDoubleClick.invalidate();
    if (thirdClick) {
        setTextCursor(lineSelection(position));
        m_press = Press::Selecting;
    } else if (event->modifiers() & Qt::ShiftModifier) {
        setCaret(position, QTextCursor::KeepAnchor);
        m_press = Press::Selecting;
    } else if (cursor.hasSelection() && position > cursor.selectionStart() && position < cursor.selectionEnd()) {
        m_press = Press::MaybeDragging;
    } else {
        setCaret(position, QTextCursor::MoveAnchor);
        m_press = Press::Selecting;
    }
    m_pressPoint = point;
}

void FixedCellEditor::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_press == Press::None)
        return;
    const QPoint point = event->position().toPoint();
    if (m_press == Press::MaybeDragging) {
        if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_press = Press::None;
            startDrag();
        }
        return;
    }
    int position = positionAt(point);
    QTextCursor cursor = textCursor();
    if (m_press == Press::SelectingWords) {
        // Whole words, from the one first clicked.
        const QTextCursor word = wordSelection(position);
        const bool backwards = position < m_pressWord.selectionStart();
        cursor.setPosition(backwards ? m_pressWord.selectionEnd() : m_pressWord.selectionStart());
        position = backwards ? word.selectionStart() : word.selectionEnd();
    }
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void FixedCellEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        setCaret(positionAt(event->position().toPoint()), QTextCursor::MoveAnchor);
        if (const QMimeData *selection = clipboard->mimeData(QClipboard::Selection))
            insertFromMimeData(selection);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_press == Press::MaybeDragging)
        setCaret(positionAt(m_pressPoint), QTextCursor::MoveAnchor);
    else if (m_press != Press::None)
        offerSelection();
    m_press = Press::None;
}

void FixedCellEditor::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    settle();
    m_pressWord = wordSelection(positionAt(event->position().toPoint()));
    setTextCursor(m_pressWord);
    offerSelection();
    m_press = Press::SelectingWords;
    m_pressPoint = event->position().toPoint();
    m_sinceDoubleClick.start();
}

void FixedCellEditor::wheelEvent(QWheelEvent *event)
{
    m_wheelDelta += event->angleDelta().y();
    const int lines = m_wheelDelta * QApplication::wheelScrollLines() / 120;
    if (lines != 0) {
        m_wheelDelta -= lines * 120 / QApplication::wheelScrollLines();
        settle();
        scrollBy(-lines);
    }
    event->accept();
}

// --- Drag and drop -----------------------------------------------------------

void FixedCellEditor::startDrag()
{
    const QTextCursor dragged = textCursor();
    auto *drag = new QDrag(this);
    drag->setMimeData(createMimeDataFromSelection());
    const Qt::DropActions allowed = isReadOnly() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    // A move within the box is done by the drop itself, which reports a copy.
    if (drag->exec(allowed, Qt::MoveAction) == Qt::MoveAction) {
        QTextCursor moved = dragged;
        moved.removeSelectedText();
    }
}

void FixedCellEditor::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void FixedCellEditor::dragMoveEvent(QDragMoveEvent *event)
{
    if (isReadOnly() || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    m_dropPosition = positionAt(event->position().toPoint());
    event->acceptProposedAction();
    viewport()->update();
}

void FixedCellEditor::dragLeaveEvent(QDragLeaveEvent *)
{
    m_dropPosition = -1;
    viewport()->update();
}

void FixedCellEditor::dropEvent(QDropEvent *event)
{
    m_dropPosition = -1;
    viewport()->update();
    if (isReadOnly() || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    int position = positionAt(event->position().toPoint());
    QTextCursor cursor = textCursor();
    const bool fromHere = event->source() == this;
    if (fromHere && position >= cursor.selectionStart() && position <= cursor.selectionEnd()) {
        event->ignore();
        return;
    }
    const bool moveHere = fromHere && event->dropAction() == Qt::MoveAction;
    cursor.beginEditBlock();
    if (moveHere) {
        if (position > cursor.selectionEnd())
            position -= cursor.selectionEnd() - cursor.selectionStart();
        cursor.removeSelectedText();
    }
    cursor.setPosition(position);
    setTextCursor(cursor);
    insertFromMimeData(event->mimeData());
    cursor.endEditBlock();
    if (moveHere)
        event->setDropAction(Qt::CopyAction);
    event->accept();
}
