#include "core/phone_characters.h"

#include <QHash>

namespace PhoneCharacters {
namespace {

bool isPair(QStringView text, qsizetype position)
{
    return position + 1 < text.size() && text[position].isHighSurrogate()
           && text[position + 1].isLowSurrogate();
}

} // namespace

QList<Run> runs(QStringView text)
{
    const Kind *forms = ShiftJis::forms();
    QList<Run> found;
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const Kind kind = forms[units[i]];
        if (kind == Kind::Common) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < size && forms[units[i]] == kind)
            ++i;
        found.append({start, i - start, kind});
    }
    return found;
}

QStringView characterAt(QStringView text, qsizetype position)
{
    if (position < 0 || position >= text.size())
        return {};
    if (position > 0 && text[position].isLowSurrogate() && isPair(text, position - 1))
        --position;
    return text.mid(position, isPair(text, position) ? 2 : 1);
}

Kind kind(QStringView character)
{
    return character.isEmpty() ? Kind::Common : ShiftJis::forms()[character.front().unicode()];
}

QString replacement(QStringView character)
{
    if (kind(character) == Kind::Common)
        return {};
    const QString compatible = character.toString().normalized(QString::NormalizationForm_KC);
    if (compatible == character || !runs(compatible).isEmpty())
        return {};
    return compatible;
}

QList<Replacement> replacements(QStringView text)
{
    // Marked characters tend to repeat; each is normalized once.
    QHash<QString, QString> known;
    QList<Replacement> found;
    for (const Run &run : runs(text)) {
        for (qsizetype i = run.start; i < run.start + run.length;) {
            const QStringView character = characterAt(text, i);
            const QString key = character.toString();
            auto it = known.find(key);
            if (it == known.end())
                it = known.insert(key, replacement(character));
            if (!it->isEmpty())
                found.append({i, character.size(), *it});
            i += character.size();
        }
    }
    return found;
}

Totals totals(QStringView text)
{
    Totals totals;
    for (const Run &run : runs(text)) {
        qsizetype characters = 0;
        for (qsizetype i = run.start; i < run.start + run.length; i += characterAt(text, i).size())
            ++characters;
        (run.kind == Kind::Missing ? totals.missing : totals.vendorExtension) += characters;
    }
    return totals;
}

} // namespace PhoneCharacters
