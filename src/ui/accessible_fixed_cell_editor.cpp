#include "ui/accessible_fixed_cell_editor.h"

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

// Never an empty unit before the end, so that a screen reader stepping from
// unit to unit always moves on. Out of the text, none.
QString AccessibleFixedCellEditor::textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                                                int *end) const
{
    *start = *end = -1;
    if (offset < 0 || offset > characterCount())
        return {};
    const QTextCursor cursor = cursorAt(offset);
    std::tie(*start, *end) = QAccessible::qAccessibleTextBoundaryHelper(cursor, type);
    if (!(*start <= offset && offset < *end))
        std::tie(*start, *end) = QAccessible::qAccessibleTextBoundaryHelper(cursor, QAccessible::CharBoundary);
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

// Qt's AT-SPI bridge sends InsertText, DeleteText and SetTextContents (as the
// whole text's replacement) here.
void AccessibleFixedCellEditor::replaceText(int start, int end, const QString &text)
{
    QTextCursor cursor = cursorAt(end, start);
    if (!editor()->isReadOnly() && editor()->admits(text, cursor.selectionStart(), cursor.selectionEnd()))
        cursor.insertText(text);
}
