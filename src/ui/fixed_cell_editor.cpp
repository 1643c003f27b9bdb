#include "ui/fixed_cell_editor.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QTextDocument>
#include <cmath>

FixedCellEditor::FixedCellEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    setWordWrapMode(QTextOption::WrapAnywhere);
}

void FixedCellEditor::setCellsPerLine(int cells)
{
    m_cellsPerLine = cells;
    fitTextAreaToCells();
}

void FixedCellEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitTextAreaToCells();
}

void FixedCellEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    fitTextAreaToCells();
}

void FixedCellEditor::fitTextAreaToCells()
{
    // A hidden box is fitted by the resize event it gets as it is shown,
    // with the font it has then: measuring the font the window definition
    // names first would load a font engine nobody sees.
    if (m_cellsPerLine <= 0 || !isVisible())
        return;
    const QFontMetricsF metrics(font());
    const qreal fullWidth = metrics.horizontalAdvance(QChar(u'あ'));
    const qreal halfWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    // Room for N full-width cells, and half a half-width cell to spare: one
    // more character of either width no longer fits.
    const qreal lineWidth = m_cellsPerLine * fullWidth + halfWidth / 2;
    const qreal documentMargins = 2 * document()->documentMargin();
    const int textArea = static_cast<int>(std::ceil(lineWidth + documentMargins));
    // What the cells leave over is shared out on both sides, so the lines
    // stand in the middle of the box.
    const int spare = std::max(0, contentsRect().width() - textArea);
    const QMargins margins(spare / 2, 0, spare - spare / 2, 0);
    if (viewportMargins() != margins)
        setViewportMargins(margins);
}
