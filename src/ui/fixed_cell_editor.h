#pragma once

#include "core/cell_lines.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <functional>
#include <memory>

// A text box whose lines hold exactly `cellsPerLine` full-width characters, or
// twice as many half-width ones, as the phone's screen does. The box keeps the
// size it was given; the text area inside it is narrowed to the cells, since
// fonts differ in their exact advance from desktop to desktop. Lines break at
// the cell, not at word boundaries.
//
// QPlainTextEdit keeps the text, the editing, the undo history, the clipboard
// and the input method's commits; the box itself lays out, draws and moves
// through only the lines it shows. Qt lays out a whole paragraph on every
// change, which takes most of a second for a paragraph of a million
// characters; here a keystroke costs a few lines, however long the paragraph.
// Qt's own cursorRect() and cursorForPosition() do not know these lines: use
// caretRect() and positionAt().
class FixedCellEditor : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int cellsPerLine READ cellsPerLine WRITE setCellsPerLine)
public:
    explicit FixedCellEditor(QWidget *parent = nullptr);

    int cellsPerLine() const { return m_cellsPerLine; }
    void setCellsPerLine(int cells);

    // Formats laid over the characters of each line shown (marks), given the
    // line's text; positions are in that text.
    using LineFormats = std::function<QList<QTextLayout::FormatRange>(const QString &line)>;
    void setLineFormats(LineFormats formats);

    // In viewport coordinates, for a position in the document.
    QRect caretRect(int position);
    // Where the character (grapheme cluster) at a position is drawn.
    QRect characterRect(int position);
    // The document position nearest to a viewport point.
    int positionAt(QPoint viewportPoint);
    // The lines as shown, each without the line break that ends it.
    QStringList shownLines();
    // Scrolls the line that shows a position into sight; the caret stays.
    void scrollToPosition(int position);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Preedit {
        QString text;
        int position = 0;
        int caret = 0;
        bool caretShown = true;
        QList<QTextLayout::FormatRange> formats;
    };

    void fitTextAreaToCells();
    void noteContentsChange(int position, int removed, int added);
    void noteCaretMove();
    // Brings the shown text and the caret's line up to date; everything that
    // reads lines calls it first.
    void settle();
    void scrollToCaret();
    void scrollToLine(qsizetype line);
    void scrollBy(qsizetype lines);
    std::unique_ptr<QTextLayout> layLine(qsizetype line, bool withFormats);
    qreal lineHeight(qsizetype line);
    qreal firstLineTop() const;
    qreal lineTop(qsizetype line);
    QRect caretRectAt(int shown);
    qsizetype lineAtY(qreal y);
    int shownPosition(int position) const;
    int documentPosition(int shown) const;
    int caretShownPosition() const;
    qsizetype visibleLineCount();

    enum class Edit { None, Typing, DeletingBack, DeletingForward };
    void edit(Edit kind, const std::function<void(QTextCursor &)> &change);
    void deleteTo(int end, Edit kind);
    QString documentText();
    bool moveCaret(QKeyEvent *event);
    int stepFrom(int position, bool forward, QTextLayout::CursorMode mode) const;
    int verticalStep(int position, qsizetype lines);
    void turnPage(int direction, QTextCursor::MoveMode mode);
    void setCaret(int position, QTextCursor::MoveMode mode);
    QTextCursor wordSelection(int position) const;
    QTextCursor lineSelection(int position);
    void offerSelection();
    void restartBlinking();
    void startDrag();

    int m_cellsPerLine = 0;
    LineFormats m_lineFormats;
    // The document's text with the input method's unfinished text in place,
    // as it is shown, and its lines.
    QString m_shown;
    CellLines m_lines;
    bool m_shownStale = true;
    int m_changedFrom = 0;
    Preedit m_preedit;
    bool m_inInputMethodEvent = false;
    // The last typing or deleting, which the next one of its kind joins when
    // nothing came between.
    struct {
        Edit kind = Edit::None;
        int revision = -1;
        int undoSteps = -1;
        int position = -1;
    } m_lastEdit;

    qsizetype m_topLine = 0;
    bool m_caretToBeShown = false;
    // Where up and down aim, kept over a run of vertical moves.
    qreal m_goalX = -1;
    bool m_movingVertically = false;

    // Whether keys come here: after a focus-in, or a key even without one
    // (a window that a window manager never activates still gets keys).
    bool m_typedInto = false;
    QBasicTimer m_blinking;
    bool m_caretOn = true;
    int m_dropPosition = -1;
    int m_wheelDelta = 0;

    // A press on the selection may start a drag; a press elsewhere selects.
    enum class Press { None, Selecting, SelectingWords, MaybeDragging } m_press = Press::None;
    QPoint m_pressPoint;
    QTextCursor m_pressWord;
    // A third click soon after a double click selects the line.
    QElapsedTimer m_sinceDoubleClick;
};
