#pragma once

#include "core/message_text.h"

#include <QString>

// A stored draft as the box opens it, and what to store for the box's text.
// The box cannot hold every stored text as it is (a paragraph separator and a
// lone CR or LF all become its line break), so a draft still as it opened is
// stored back as it was read: a start and a close change nothing. A draft too
// long for the box to edit swiftly opens with its first part; keeping the
// whole is the caller's part.
class StoredDraft {
public:
    // In one paragraph, a keystroke at twice the limit still takes well under
    // a tenth of a second, and the window shows at once (BENCHMARKS.md).
    static constexpr qsizetype MaximumOpenedWhole = 2 * MessageText::MaximumCharacters;
    enum class Opening { CutWhenLong, Whole };

    explicit StoredDraft(QString stored = {}, Opening opening = Opening::CutWhenLong);

    const QString &stored() const { return m_stored; }
    const QString &boxText() const { return m_boxText; }
    // Opened with its first MaximumCharacters characters only.
    bool isCut() const { return m_cut; }
    // What to store for a box that holds `boxRawText`: the document's own
    // text, with a paragraph separator between paragraphs and no-break spaces
    // and line separators as they were typed.
    QString toStore(QStringView boxRawText) const;

private:
    QString m_stored;
    QString m_boxText;
    QString m_openedMessage;
    bool m_cut = false;
};
