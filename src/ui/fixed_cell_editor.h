#pragma once

#include <QDeadlineTimer>
#include <QPlainTextEdit>

// A text box whose lines hold exactly `cellsPerLine` full-width characters, or
// twice as many half-width ones, as the phone's screen does. The box keeps the
// size it was given; the text area inside it is narrowed to the cells, since
// fonts differ in their exact advance from desktop to desktop. Lines break at
// the cell, not at word boundaries.
//
// Typing, input methods and pastes stop at MessageText::MaximumCharacters; a
// longer text set by the program (a stored draft) is kept whole, and edits
// that do not lengthen it still work.
class FixedCellEditor : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int cellsPerLine READ cellsPerLine WRITE setCellsPerLine)
public:
    explicit FixedCellEditor(QWidget *parent = nullptr);

    int cellsPerLine() const { return m_cellsPerLine; }
    void setCellsPerLine(int cells);

    // Scrolls line by line until the caret the cursor stands for is in
    // sight; the text cursor's own caret may stand inside a composition.
    void scrollToShow(const QTextCursor &cursor);

Q_SIGNALS:
    // A typed character or an input method's text would have passed the limit.
    void typingRefused();
    // A paste or drop would have passed the limit; `room` more characters fit.
    void insertionRefused(qsizetype room);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitTextAreaToCells();
    qsizetype room(int replacedStart, int replacedEnd) const;
    bool fits(const QString &inserted, int replacedStart, int replacedEnd) const;
    QString preedit() const;
    void keepCompositionInSight();
    void noteCommitByClick(const QString &pending, int lengthBefore);
    bool repeatsCommitByClick(const QInputMethodEvent &event);

    int m_cellsPerLine = 0;
    QString m_committedByClick;
    QDeadlineTimer m_repeatExpected;
};
