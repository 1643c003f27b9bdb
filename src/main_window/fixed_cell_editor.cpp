#include "main_window/fixed_cell_editor.h"

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
    cellsPerLine_ = cells;
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
    if (cellsPerLine_ <= 0)
        return;
    const QFontMetricsF metrics(font());
    const qreal fullWidth = metrics.horizontalAdvance(QChar(u'あ'));
    const qreal halfWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    // Room for N full-width cells, and half a half-width cell to spare: one
    // more character of either width no longer fits.
    const qreal lineWidth = cellsPerLine_ * fullWidth + halfWidth / 2;
    const qreal margins = 2 * document()->documentMargin();
    const int textArea = static_cast<int>(std::ceil(lineWidth + margins));
    const int available = contentsRect().width();
    const int rightMargin = std::max(0, available - textArea);
    if (viewportMargins().right() != rightMargin)
        setViewportMargins(0, 0, rightMargin, 0);
}
