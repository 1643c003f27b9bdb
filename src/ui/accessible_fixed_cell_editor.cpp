#include "ui/accessible_fixed_cell_editor.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <tuple>

void AccessibleFixedCellEditor::install()
{
    // Once for the program: Qt asks the factories for every object it reads out.
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory([](const QString &className, QObject *object) {
        const bool ours = className == QLatin1String(FixedCellEditor::staticMetaObject.className());
        return ours ? static_cast<QAccessibleInterface *>(new AccessibleFixedCellEditor(static_cast<FixedCellEditor *>(object)))
                    : nullptr;
    }), true);
}

void *AccessibleFixedCellEditor::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State AccessibleFixedCellEditor::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = state.selectableText = true;
    state.readOnly = editor()->isReadOnly();
    state.editable = !editor()->isReadOnly();
    return state;
}

QTextCursor AccessibleFixedCellEditor::cursorAt(int offset, int anchor) const
{
    QTextCursor cursor(editor()->document());
    cursor.setPosition(std::clamp(anchor < 0 ? offset : anchor, 0, characterCount()));
    cursor.setPosition(std::clamp(offset, 0, characterCount()), QTextCursor::KeepAnchor);
    return cursor;
}

// The line the caret at `offset` shows on, as the box draws it: with the
// blanks hanging at its wrap and, on a paragraph's last line, the paragraph's
// break. QTextCursor's EndOfLine stops before them, which would make each a
// line of its own.
std::pair<int, int> AccessibleFixedCellEditor::displayedLine(int offset) const
{
    const QTextBlock block = editor()->document()->findBlock(offset);
    // Qt lays a paragraph out only once it is drawn or measured.
    editor()->document()->documentLayout()->blockBoundingRect(block);
    const QTextLine line = block.layout()->lineForTextPosition(offset - block.position());
    const int end = block.position() + block.length();
    if (!line.isValid())
        return {block.position(), std::min(end, characterCount())};
    const int start = block.position() + line.textStart();
    const bool last = line.lineNumber() == block.layout()->lineCount() - 1;
    return {start, std::min(last ? end : start + line.textLength(), characterCount())};
}

// The unit Qt's text cursor finds at `offset`. At the end of a displayed line
// (its break, a blank hanging at the wrap, the end of the text), where Qt
// 6.4's qAccessibleTextBoundaryHelper finds none that holds the offset, the
// one before; and a unit followed by nothing but such an end takes it along,
// so that a screen reader stepping from unit to unit neither hears a break
// alone nor a unit twice.
std::pair<int, int> AccessibleFixedCellEditor::unitAt(int offset, QAccessible::TextBoundaryType type) const
{
    if (type == QAccessible::LineBoundary)
        return displayedLine(offset);
    const auto unit = [this, type](int at) { return QAccessible::qAccessibleTextBoundaryHelper(cursorAt(at), type); };
    const auto blanksUpTo = [this](int from, int to) {
        for (int at = from; at < to; ++at) {
            if (!editor()->document()->characterAt(at).isSpace())
                return false;
        }
        return true;
    };
    auto [start, end] = unit(offset);
    const auto [lineStart, lineEnd] = displayedLine(offset);
    if (type != QAccessible::CharBoundary && !(start <= offset && offset < end) && offset > lineStart
        && blanksUpTo(offset, lineEnd))
        std::tie(start, end) = unit(offset - 1);
    if (type != QAccessible::CharBoundary && start < end) {
        const int endOfItsLine = displayedLine(end - 1).second;
        if (blanksUpTo(end, endOfItsLine))
            end = std::max(end, endOfItsLine);
    }
    return {start, end};
}

// Never an empty unit before the end, so that a screen reader stepping from
// unit to unit always moves on. Out of the text, none.
QString AccessibleFixedCellEditor::textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                                                int *end) const
{
    *start = *end = -1;
    if (offset < 0 || offset > characterCount())
        return {};
    std::tie(*start, *end) = unitAt(offset, type);
    if (!(*start <= offset && (offset < *end || offset == characterCount())))
        std::tie(*start, *end) = QAccessible::qAccessibleTextBoundaryHelper(cursorAt(offset), QAccessible::CharBoundary);
    return text(*start, *end);
}

QString AccessibleFixedCellEditor::textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                                                    int *end) const
{
    textAtOffset(offset, type, start, end);
    return textAtOffset(*start > 0 ? *start - 1 : -1, type, start, end);
}

QString AccessibleFixedCellEditor::textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                                                   int *end) const
{
    textAtOffset(offset, type, start, end);
    return textAtOffset(*end >= 0 && *end < characterCount() ? *end : -1, type, start, end);
}

// From the caret before the character to the caret after it.
QRect AccessibleFixedCellEditor::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return {};
    QTextCursor cursor = cursorAt(offset);
    const QRect before = editor()->cursorRect(cursor);
    cursor.movePosition(QTextCursor::NextCharacter);
    const QRect after = editor()->cursorRect(cursor);
    const int width = after.top() == before.top() ? after.left() - before.left()
                                                  : editor()->fontMetrics().horizontalAdvance(text(offset, cursor.position()));
    const QRect drawn(before.left(), before.top(), std::max(width, 1), before.height());
    return drawn.translated(editor()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int AccessibleFixedCellEditor::offsetAtPoint(const QPoint &point) const
{
    // The nearest caret lies on one side or the other of the character.
    QTextCursor cursor = editor()->cursorForPosition(editor()->viewport()->mapFromGlobal(point));
    if (!characterRect(cursor.position()).contains(point))
        cursor.movePosition(QTextCursor::PreviousCharacter);
    return characterRect(cursor.position()).contains(point) ? cursor.position() : -1;
}

// The run of one format around `offset`, in the terms Qt's own text boxes
// give (the AT-SPI bridge reads only these). Orca splits the lines it reads at
// the runs: an empty run there cost each line its last character. A
// paragraph's break goes with its last run.
QString AccessibleFixedCellEditor::attributes(int offset, int *start, int *end) const
{
    *start = *end = -1;
    const int count = characterCount();
    if (offset < 0 || offset > count)
        return {};
    const QTextBlock block = editor()->document()->findBlock(offset);
    *start = block.position();
    *end = std::min(block.position() + block.length(), count);
    QTextCharFormat format;
    for (auto fragments = block.begin(); !fragments.atEnd(); ++fragments) {
        const QTextFragment fragment = fragments.fragment();
        if (fragment.position() == block.position() || fragment.charFormat() != format) {
            if (fragment.position() > offset) {
                *end = fragment.position();
                break;
            }
            *start = fragment.position();
            format = fragment.charFormat();
        }
    }
    const QFont font = format.font().resolve(editor()->document()->defaultFont());
    return QStringLiteral("font-family:\"%1\";font-size:%2pt;font-weight:%3;")
        .arg(font.family(), QString::number(font.pointSizeF()),
             font.weight() > QFont::Normal ? QStringLiteral("bold") : QStringLiteral("normal"));
}

// Qt's AT-SPI bridge sends InsertText, DeleteText and SetTextContents (as the
// whole text's replacement) here.
void AccessibleFixedCellEditor::replaceText(int start, int end, const QString &text)
{
    QTextCursor cursor = cursorAt(end, start);
    if (!editor()->isReadOnly()
        && editor()->admits(text, cursor.selectionStart(), cursor.selectionEnd(), TextEntry::Input))
        cursor.insertText(text);
}
