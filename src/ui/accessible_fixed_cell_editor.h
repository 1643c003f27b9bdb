#pragma once

#include <QAccessibleWidget>

class FixedCellEditor;

// What a screen reader or magnifier reads of the editing box: Qt's own
// interface for QPlainTextEdit places characters through Qt's paragraph
// layout, which this box does not use, so it would put every character at
// the top left corner. Offsets are those of QPlainTextEdit::toPlainText().
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
    void select(int startOffset, int endOffset);
};
