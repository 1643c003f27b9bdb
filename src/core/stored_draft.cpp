#include "core/stored_draft.h"

#include <utility>

namespace {

// The first `characters` characters; a surrogate pair is never split.
QString firstCharacters(const QString &text, qsizetype characters)
{
    qsizetype units = 0;
    for (; characters > 0 && units < text.size(); --characters)
        units += text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate() ? 2 : 1;
    return text.first(units);
}

} // namespace

StoredDraft::StoredDraft(QString stored, Opening opening)
    : m_stored(std::move(stored)), m_boxText(MessageText::toBox(m_stored))
{
    m_cut = opening == Opening::CutWhenLong && MessageText::characterCount(m_boxText) > MaximumOpenedWhole;
    if (m_cut)
        m_boxText = firstCharacters(m_boxText, MessageText::MaximumCharacters);
    m_openedMessage = MessageText::fromBox(m_boxText);
}

QString StoredDraft::toStore(QStringView boxRawText) const
{
    QString message = MessageText::fromBox(boxRawText);
    return message == m_openedMessage && !m_cut ? m_stored : message;
}
