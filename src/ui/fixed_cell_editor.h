#pragma once

#include <QPlainTextEdit>

// A text box whose lines hold exactly `cellsPerLine` full-width characters, or
// twice as many half-width ones, as the phone's screen does. The box keeps the
// size it was given; the text area inside it is narrowed to the cells, since
// fonts differ in their exact advance from desktop to desktop. Lines break at
// the cell, not at word boundaries.
class FixedCellEditor : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int cellsPerLine READ cellsPerLine WRITE setCellsPerLine)
public:
    explicit FixedCellEditor(QWidget *parent = nullptr);

    int cellsPerLine() const { return m_cellsPerLine; }
    void setCellsPerLine(int cells);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitTextAreaToCells();

    int m_cellsPerLine = 0;
};
