#include "core/cell_lines.h"

#include <algorithm>

namespace {

// Grapheme boundaries are looked up this many units at a time: enough for
// many lines, few enough that a look-up never costs more than a keystroke.
constexpr qsizetype ClusterStretch = 4096;

// Only characters that take no room (zero-width ones, blanks hanging at the
// end) can make a line longer than this; it breaks there all the same, so
// that no line costs more to lay out and draw than a screenful.
constexpr qsizetype LongestLine = 1024;

bool isSeparator(QChar unit)
{
    return unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator;
}

// A blank that may hang past the edge: Qt's white space, except a no-break
// one (which is broken like any character) and the tab and separators,
// which Qt handles on their own.
bool isHangingBlank(QChar unit)
{
    return unit.isSpace() && unit.decompositionTag() != QChar::NoBreak && !isSeparator(unit) && unit != u'\t';
}

} // namespace

CellLines::CellLines(const QString &text, Advance advance) : m_text(text), m_advance(std::move(advance)) {}

void CellLines::setWidth(qint32 width)
{
    if (width == m_width)
        return;
    m_width = width;
    textChanged(0);
}

void CellLines::setTabStop(qint32 distance)
{
    if (distance == m_tabStop || distance <= 0)
        return;
    m_tabStop = distance;
    textChanged(0);
}

void CellLines::setAdvance(Advance advance)
{
    m_advance = std::move(advance);
    m_unitAdvances.clear();
    m_clusterAdvances.clear();
    textChanged(0);
}

void CellLines::textChanged(qsizetype position)
{
    // The line before the one holding the change may change too: a blank
    // typed at the start of a line hangs at the end of the one before, and
    // a combining mark joins the character before it.
    const auto holding = std::upper_bound(m_starts.cbegin(), m_starts.cend(), position) - m_starts.cbegin() - 1;
    m_starts.resize(std::max<qsizetype>(1, holding));
    m_complete = false;
    m_clustersFrom = m_clustersTo = 0;
    m_clusters = QTextBoundaryFinder();
}

bool CellLines::hasLine(qsizetype line)
{
    while (qsizetype(m_starts.size()) <= line && findNext()) {
    }
    return line >= 0 && line < qsizetype(m_starts.size());
}

qsizetype CellLines::start(qsizetype line)
{
    return hasLine(line) ? m_starts[line] : m_text.size();
}

qsizetype CellLines::end(qsizetype line)
{
    const qsizetype from = start(line);
    const qsizetype next = hasLine(line + 1) ? m_starts[line + 1] : m_text.size();
    return next > from && isSeparator(m_text.at(next - 1)) ? next - 1 : next;
}

qsizetype CellLines::lineAt(qsizetype position)
{
    while (m_starts.back() <= position && findNext()) {
    }
    return std::upper_bound(m_starts.cbegin(), m_starts.cend(), position) - m_starts.cbegin() - 1;
}

bool CellLines::findNext()
{
    if (m_complete)
        return false;
    const qsizetype from = m_starts.back();
    const qsizetype next = breakAfter(from);
    // A text that ends with a separator has an empty last line after it.
    if (next >= m_text.size() && !(next > from && isSeparator(m_text.at(next - 1)))) {
        m_complete = true;
        return false;
    }
    m_starts.push_back(next);
    return true;
}

// Qt's rule for one line, from QTextLine's layout with WrapAnywhere: each
// cluster is weighed with the blanks before it; the first cluster is taken
// whatever its width; blanks wait, and either come in with the next cluster
// or hang at the end of the line; a run of blanks wider than the whole line
// ends it.
qsizetype CellLines::breakAfter(qsizetype lineStart)
{
    // A line that breaks just before a paragraph's end takes the end along.
    const auto breakAt = [this](qsizetype position) {
        return position < m_text.size() && m_text.at(position) == QChar::ParagraphSeparator ? position + 1 : position;
    };
    qint32 width = 0;
    bool holdsAny = false;
    qint32 blanks = 0;
    bool blanksWaiting = false;
    qsizetype position = lineStart;
    while (position < m_text.size()) {
        if (position - lineStart >= LongestLine)
            return breakAt(position);
        const QChar unit = m_text.at(position);
        if (isSeparator(unit))
            return position + 1;
        if (unit == u'\t') {
            // A tab reaches the next tab stop and is weighed at once.
            if (holdsAny && width + blanks > m_width)
                return position;
            width += blanks;
            holdsAny = holdsAny || blanksWaiting;
            const qint32 tab = tabWidth(width);
            if (holdsAny && width + tab > m_width)
                return breakAt(position + 1);
            width += tab;
            holdsAny = true;
            blanks = 0;
            blanksWaiting = false;
            ++position;
            continue;
        }
        if (isHangingBlank(unit)) {
            while (position < m_text.size() && position - lineStart < LongestLine
                   && isHangingBlank(m_text.at(position))) {
                const qsizetype next = nextCluster(position);
                blanks += advance(position, next);
                position = next;
            }
            blanksWaiting = true;
            if (blanks > m_width)
                return breakAt(position);
            continue;
        }
        const qsizetype next = nextCluster(position);
        const qint32 cluster = advance(position, next);
        if (holdsAny && width + blanks + cluster > m_width)
            return position;
        width += blanks + cluster;
        holdsAny = true;
        blanks = 0;
        blanksWaiting = false;
        position = next;
    }
    return m_text.size();
}

qsizetype CellLines::nextCluster(qsizetype position)
{
    for (;;) {
        if (position >= m_clustersFrom && position < m_clustersTo) {
            m_clusters.setPosition(position - m_clustersFrom);
            const qsizetype next = m_clustersFrom + m_clusters.toNextBoundary();
            // A cluster cut by the end of the stretch is looked at again from
            // its start.
            if (next < m_clustersTo || m_clustersTo == m_text.size())
                return next;
            if (position == m_clustersFrom)
                return next; // longer than a whole stretch: take it cut
        }
        m_clustersFrom = position;
        m_clustersTo = std::min(m_text.size(), position + ClusterStretch);
        m_clusters = QTextBoundaryFinder(QTextBoundaryFinder::Grapheme, m_text.constData() + m_clustersFrom,
                                         m_clustersTo - m_clustersFrom);
    }
}

qint32 CellLines::advance(qsizetype from, qsizetype to)
{
    const QStringView cluster = QStringView(m_text).sliced(from, to - from);
    if (cluster.size() == 1) {
        if (m_unitAdvances.empty())
            m_unitAdvances.assign(0x10000, -1);
        qint32 &known = m_unitAdvances[cluster.front().unicode()];
        if (known < 0)
            known = m_advance(cluster);
        return known;
    }
    const QString key = cluster.toString();
    auto known = m_clusterAdvances.constFind(key);
    if (known == m_clusterAdvances.cend())
        known = m_clusterAdvances.insert(key, m_advance(cluster));
    return *known;
}

qint32 CellLines::tabWidth(qint32 x) const
{
    return (x / m_tabStop + 1) * m_tabStop - x;
}
