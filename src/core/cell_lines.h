#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QTextBoundaryFinder>
#include <functional>
#include <vector>

// Where the lines of a text break in a box of a fixed width, as Qt breaks a
// paragraph "anywhere" (QTextOption::WrapAnywhere): a line takes whole
// characters (grapheme clusters) while they fit, the first one always;
// blanks at its end hang past the edge; a line or paragraph separator ends
// it. Widths are in 1/64 pixel, Qt's own unit.
//
// Lines are found only as far as they are asked for, and an edit forgets only
// those from the one before it on, so typing in one enormous paragraph costs
// a few lines, wherever the caret is.
class CellLines {
public:
    // The advance of one cluster, in 1/64 pixel.
    using Advance = std::function<qint32(QStringView cluster)>;

    // `text` is read, not copied: it must outlive the lines and be told of
    // with textChanged() whenever it changes.
    CellLines(const QString &text, Advance advance);

    void setWidth(qint32 width);
    void setTabStop(qint32 distance);
    // Call when the advances change (another font).
    void setAdvance(Advance advance);

    // The text changed from `position` on.
    void textChanged(qsizetype position);

    // Whether line `line` exists; finds the lines up to it.
    bool hasLine(qsizetype line);
    qsizetype start(qsizetype line);
    // Where the line ends, without the separator that ends a paragraph.
    qsizetype end(qsizetype line);
    // The line that shows the caret at `position`: at a break, the next one.
    qsizetype lineAt(qsizetype position);

private:
    qsizetype breakAfter(qsizetype lineStart);
    qsizetype nextCluster(qsizetype position);
    qint32 advance(qsizetype from, qsizetype to);
    qint32 tabWidth(qint32 x) const;
    bool findNext();

    const QString &m_text;
    Advance m_advance;
    qint32 m_width = 0;
    qint32 m_tabStop = 80 * 64;
    // Starts of the lines found so far; the first is always 0.
    std::vector<qsizetype> m_starts{0};
    bool m_complete = false;
    // Advances of single UTF-16 units (-1: not measured yet), and of longer
    // clusters.
    std::vector<qint32> m_unitAdvances;
    QHash<QString, qint32> m_clusterAdvances;
    // Grapheme boundaries of the stretch of text being broken into lines.
    QTextBoundaryFinder m_clusters;
    qsizetype m_clustersFrom = 0;
    qsizetype m_clustersTo = 0;
};
