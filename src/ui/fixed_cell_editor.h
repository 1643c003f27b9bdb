#pragma once

#include "core/message_text.h"

#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

// A text box whose lines hold exactly `cellsPerLine` full-width characters, or
// twice as many half-width ones, as the phone's screen does. The box keeps the
// size it was given; the text area inside it is narrowed to the cells, since
// fonts differ in their exact advance from desktop to desktop. Lines break at
// the cell, not at word boundaries. Typing, input methods and pastes stop at
// MessageText::MaximumCharacters.
class FixedCellEditor : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int cellsPerLine READ cellsPerLine WRITE setCellsPerLine)
public:
    explicit FixedCellEditor(QWidget *parent = nullptr);

    int cellsPerLine() const { return m_cellsPerLine; }
    void setCellsPerLine(int cells) { m_cellsPerLine = cells; }
    // Scrolls until the caret of the cursor, which may stand in a composition, is in sight.
    void scrollToShow(const QTextCursor &cursor);
    bool isComposing() const { return !preedit().isEmpty(); }
    // Takes the text being composed into the box as it is shown, so that
    // what is read next is what the user sees.
    void finishComposition();
    void setVisible(bool visible) override;

Q_SIGNALS:
    void typingRefused();
    // A paste or drop would have passed the limit; `room` characters fit.
    void insertionRefused(qsizetype room);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void fitTextAreaToCells();
    QMargins cellMargins() const;
    void setTextAreaWhileHidden(const QMargins &margins);
    void expectRepeatedCommit(const QString &pending, int lengthBefore);
    qsizetype room(int start, int end) const { return MessageText::room(toPlainText(), start, end); }
    QString preedit() const { return textCursor().block().layout()->preeditAreaText(); }

    int m_cellsPerLine = 0;
    QString m_committedByClick;
    QDeadlineTimer m_repeatExpected;
};
