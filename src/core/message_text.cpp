#include "core/message_text.h"

#include "core/shift_jis.h"

#include <algorithm>

namespace MessageText {

QString fromBox(QStringView boxText)
{
    QString out;
    out.reserve(boxText.size() + boxText.count(u'\n'));
    for (QChar c : boxText) {
        // A document's own text parts its paragraphs with U+2029.
        if (c == u'\n' || c == QChar::ParagraphSeparator)
            out += QStringLiteral("\r\n");
        else
            out += c;
    }
    return out;
}

QString toBox(QStringView messageText)
{
    QString out;
    out.reserve(messageText.size());
    const qsizetype size = messageText.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = messageText[i];
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < size && messageText[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

qsizetype count(QStringView boxText)
{
    return ShiftJis::byteCount(boxText, ShiftJis::LineBreaks::CrLf);
}

qsizetype characterCount(QStringView text)
{
    qsizetype characters = text.size();
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate())
            --characters;
    }
    return characters;
}

qsizetype room(QStringView text, qsizetype start, qsizetype end, qsizetype takenOut)
{
    const qsizetype replacedCharacters = characterCount(text.sliced(start, end - start));
    return std::max(replacedCharacters + takenOut, MaximumCharacters - characterCount(text) + replacedCharacters);
}

} // namespace MessageText
