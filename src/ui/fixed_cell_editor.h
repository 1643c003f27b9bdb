#pragma once

#include "core/message_text.h"
#include "ui/text_entry.h"

#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

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
    // The one limit check that every way text comes in calls: whether so many
    // characters may take the place of the text from `start` to `end`. When
    // they may not, a key beeps; anything else tells how many characters fit.
    bool admits(qsizetype incomingCharacters, int start, int end, TextEntry entry);
    bool admits(QStringView incoming, int start, int end, TextEntry entry)
    {
        return admits(MessageText::characterCount(incoming), start, end, entry);
    }
    bool isComposing() const { return !preedit().isEmpty(); }
    // Sends nothingComposed() once the input method has been quiet for a
    // moment and no word is being composed: the time to open a notice.
    void waitUntilNothingComposed() { m_quietWait.start(); }
    // Takes the text being composed into the box as it is shown, so that
    // what is read next is what the user sees.
    void finishComposition();
    void setVisible(bool visible) override;

Q_SIGNALS:
    void typingRefused();
    // Text that came in as `entry` would have passed the limit; `room`
    // characters fit. Sent once nothing is being composed.
    void insertionRefused(qsizetype room, TextEntry entry);
    void nothingComposed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void fitTextAreaToCells();
    void endQuietWait();
    void tellRefusal();
    QMargins cellMargins() const;
    void setTextAreaWhileHidden(const QMargins &margins);
    void expectRepeatedCommit(const QString &pending, int lengthBefore);
    QString preedit() const { return textCursor().block().layout()->preeditAreaText(); }

    int m_cellsPerLine = 0;
    QString m_committedByClick;
    QDeadlineTimer m_repeatExpected;
    qsizetype m_movedOut = 0;
    qsizetype m_refusedRoom = -1;
    qsizetype m_charactersWhenRefused = 0;
    TextEntry m_refusedEntry = TextEntry::Paste;
    QTimer m_quietWait;
};
