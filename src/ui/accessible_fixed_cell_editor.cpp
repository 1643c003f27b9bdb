#include "ui/accessible_fixed_cell_editor.h"

#include "ui/fixed_cell_editor.h"

#include <QTextCursor>
#include <algorithm>
#include <tuple>

namespace {

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(FixedCellEditor::staticMetaObject.className()))
        return new AccessibleFixedCellEditor(static_cast<FixedCellEditor *>(object));
    return nullptr;
}

} // namespace

AccessibleFixedCellEditor::AccessibleFixedCellEditor(FixedCellEditor *editor)
    : QAccessibleWidget(editor, QAccessible::EditableText)
{
}

void AccessibleFixedCellEditor::install()
{
    // Once for the program: Qt asks the factories for every object it reads out.
    static const bool installed = (QAccessible::installFactory(createAccessible), true);
    Q_UNUSED(installed)
}

FixedCellEditor *AccessibleFixedCellEditor::editor() const
{
    return static_cast<FixedCellEditor *>(widget());
}

QTextCursor AccessibleFixedCellEditor::cursorAt(int offset) const
{
    QTextCursor cursor(editor()->document());
    cursor.setPosition(std::clamp(offset, 0, characterCount()));
    return cursor;
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
    state.multiLine = true;
    state.editable = !editor()->isReadOnly();
    state.readOnly = editor()->isReadOnly();
    state.selectableText = true;
    return state;
}

QString AccessibleFixedCellEditor::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return editor()->toPlainText();
    return QAccessibleWidget::text(type);
}

void AccessibleFixedCellEditor::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    const QTextCursor cursor = editor()->textCursor();
    const bool exists = selectionIndex == 0 && cursor.hasSelection();
    *startOffset = exists ? cursor.selectionStart() : 0;
    *endOffset = exists ? cursor.selectionEnd() : 0;
}

int AccessibleFixedCellEditor::selectionCount() const
{
    return editor()->textCursor().hasSelection() ? 1 : 0;
}

void AccessibleFixedCellEditor::select(int startOffset, int endOffset)
{
    QTextCursor cursor = cursorAt(startOffset);
    cursor.setPosition(cursorAt(endOffset).position(), QTextCursor::KeepAnchor);
    editor()->setTextCursor(cursor);
}

// The box has one selection at most: a new one takes its place.
void AccessibleFixedCellEditor::addSelection(int startOffset, int endOffset)
{
    select(startOffset, endOffset);
}

void AccessibleFixedCellEditor::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        setCursorPosition(cursorPosition());
}

void AccessibleFixedCellEditor::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        select(startOffset, endOffset);
}

int AccessibleFixedCellEditor::cursorPosition() const
{
    return editor()->textCursor().position();
}

void AccessibleFixedCellEditor::setCursorPosition(int position)
{
    select(position, position);
}

QString AccessibleFixedCellEditor::text(int startOffset, int endOffset) const
{
    return editor()->toPlainText().mid(startOffset, std::max(0, endOffset - startOffset));
}

// The unit that holds `offset`, and never an empty one before the end, so
// that a screen reader stepping from unit to unit always moves on.
QString AccessibleFixedCellEditor::textAround(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int *startOffset, int *endOffset) const
{
    const QTextCursor cursor = cursorAt(offset);
    auto [start, end] = QAccessible::qAccessibleTextBoundaryHelper(cursor, boundaryType);
    if (!(start <= cursor.position() && cursor.position() < end))
        std::tie(start, end) = QAccessible::qAccessibleTextBoundaryHelper(cursor, QAccessible::CharBoundary);
    *startOffset = start;
    *endOffset = end;
    return text(start, end);
}

QString AccessibleFixedCellEditor::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                                int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    if (offset < 0 || offset > characterCount())
        return {};
    return textAround(offset, boundaryType, startOffset, endOffset);
}

QString AccessibleFixedCellEditor::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                                    int *startOffset, int *endOffset) const
{
    textAtOffset(offset, boundaryType, startOffset, endOffset);
    if (*startOffset <= 0) {
        *startOffset = *endOffset = -1;
        return {};
    }
    return textAround(*startOffset - 1, boundaryType, startOffset, endOffset);
}

QString AccessibleFixedCellEditor::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                                   int *startOffset, int *endOffset) const
{
    textAtOffset(offset, boundaryType, startOffset, endOffset);
    if (*endOffset < 0 || *endOffset >= characterCount()) {
        *startOffset = *endOffset = -1;
        return {};
    }
    return textAround(*endOffset, boundaryType, startOffset, endOffset);
}

int AccessibleFixedCellEditor::characterCount() const
{
    return editor()->document()->characterCount() - 1;
}

// From the caret before the character to the caret after it, where the box
// draws them.
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
    const QPoint inViewport = editor()->viewport()->mapFromGlobal(point);
    if (!editor()->viewport()->rect().contains(inViewport))
        return -1;
    // The nearest caret lies on one side or the other of the character.
    QTextCursor cursor = editor()->cursorForPosition(inViewport);
    if (characterRect(cursor.position()).contains(point))
        return cursor.position();
    cursor.movePosition(QTextCursor::PreviousCharacter);
    return characterRect(cursor.position()).contains(point) ? cursor.position() : -1;
}

// Brought into sight without moving the caret.
void AccessibleFixedCellEditor::scrollToSubstring(int startIndex, int endIndex)
{
    Q_UNUSED(endIndex)
    editor()->scrollToShow(cursorAt(startIndex));
}

QString AccessibleFixedCellEditor::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = offset;
    return {};
}

void AccessibleFixedCellEditor::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, {});
}

void AccessibleFixedCellEditor::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void AccessibleFixedCellEditor::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (editor()->isReadOnly())
        return;
    QTextCursor cursor = cursorAt(startOffset);
    cursor.setPosition(cursorAt(endOffset).position(), QTextCursor::KeepAnchor);
    cursor.insertText(text);
}
