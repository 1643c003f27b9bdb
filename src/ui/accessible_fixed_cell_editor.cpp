#include "ui/accessible_fixed_cell_editor.h"

#include "ui/fixed_cell_editor.h"

#include <QTextCursor>
#include <algorithm>

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
    QTextCursor cursor = editor()->textCursor();
    const int length = characterCount();
    cursor.setPosition(std::clamp(startOffset, 0, length));
    cursor.setPosition(std::clamp(endOffset, 0, length), QTextCursor::KeepAnchor);
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

int AccessibleFixedCellEditor::characterCount() const
{
    return editor()->document()->characterCount() - 1;
}

QRect AccessibleFixedCellEditor::characterRect(int offset) const
{
    if (offset < 0 || offset > characterCount())
        return {};
    const QRect inViewport = editor()->characterRect(offset);
    return inViewport.translated(editor()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int AccessibleFixedCellEditor::offsetAtPoint(const QPoint &point) const
{
    const QPoint inViewport = editor()->viewport()->mapFromGlobal(point);
    if (!editor()->viewport()->rect().contains(inViewport))
        return -1;
    return editor()->positionAt(inViewport);
}

// Brought into sight as the box does for the caret, without moving it.
void AccessibleFixedCellEditor::scrollToSubstring(int startIndex, int endIndex)
{
    Q_UNUSED(endIndex)
    editor()->scrollToPosition(std::clamp(startIndex, 0, characterCount()));
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
    QTextCursor cursor(editor()->document());
    const int length = characterCount();
    cursor.setPosition(std::clamp(startOffset, 0, length));
    cursor.setPosition(std::clamp(endOffset, 0, length), QTextCursor::KeepAnchor);
    cursor.insertText(text);
}
