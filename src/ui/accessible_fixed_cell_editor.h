#pragma once

#include <QAccessibleWidget>

class FixedCellEditor;
class QTextCursor;

// What a screen reader or magnifier reads of the editing box. Qt 6.4's own
// interface for QPlainTextEdit places every paragraph's characters on the
// first paragraph's lines and finds no character at a point; this one asks
// the box where it draws each character. Words, sentences and lines are
// found as Qt's text cursor finds them, on the lines shown.
class AccessibleFixedCellEditor : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
public:
    explicit AccessibleFixedCellEditor(FixedCellEditor *editor);

    // Makes Qt ask for this interface for every FixedCellEditor.
    static void install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    FixedCellEditor *editor() const;
    QTextCursor cursorAt(int offset) const;
    QString textAround(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                       int *endOffset) const;
    void select(int startOffset, int endOffset);
};
