#pragma once

#include "ui/fixed_cell_editor.h"

#include <QAccessibleWidget>
#include <algorithm>

// What a screen reader or magnifier reads of the editing box. Qt 6.4's own
// interface for QPlainTextEdit puts every paragraph's characters on the first
// paragraph's lines and finds none at a point; this one asks the box where it
// draws them. Words and sentences are those Qt's text cursor finds, lines
// those the box draws.
class AccessibleFixedCellEditor : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
public:
    explicit AccessibleFixedCellEditor(FixedCellEditor *editor) : QAccessibleWidget(editor, QAccessible::EditableText) {}
    static void install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name && editor()->accessibleName().isEmpty())
            return QStringLiteral("本文"); // the box has no label of its own to be named by
        return type == QAccessible::Value ? editor()->toPlainText() : QAccessibleWidget::text(type);
    }

    // The box has one selection at most: a new one takes its place.
    int selectionCount() const override { return editor()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int, int *start, int *end) const override
    {
        *start = editor()->textCursor().selectionStart();
        *end = editor()->textCursor().selectionEnd();
    }
    void addSelection(int start, int end) override { select(start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override { select(start, end); }
    int cursorPosition() const override { return editor()->textCursor().position(); }
    void setCursorPosition(int position) override { select(position, position); }

    QString text(int start, int end) const override { return editor()->toPlainText().mid(start, std::max(0, end - start)); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override;
    int characterCount() const override { return editor()->document()->characterCount() - 1; }
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int start, int) override { editor()->scrollToShow(cursorAt(start)); }
    QString attributes(int offset, int *start, int *end) const override;

    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override;

private:
    FixedCellEditor *editor() const { return static_cast<FixedCellEditor *>(widget()); }
    QTextCursor cursorAt(int offset, int anchor = -1) const;
    std::pair<int, int> displayedLine(int offset) const;
    std::pair<int, int> unitAt(int offset, QAccessible::TextBoundaryType type) const;
    void select(int start, int end) { editor()->setTextCursor(cursorAt(end, start)); }
};
