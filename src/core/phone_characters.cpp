#include "core/phone_characters.h"

#include <QHash>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace PhoneCharacters {
namespace {

// Calls `visit(start, length)` for every character in order.
template <typename Visit>
void forEachCharacter(QStringView text, Visit visit)
{
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype start = 0;
    for (qsizetype end = clusters.toNextBoundary(); end > 0; end = clusters.toNextBoundary()) {
        visit(start, end - start);
        start = end;
    }
}

} // namespace

QList<Run> runs(QStringView text)
{
    QList<Run> found;
    forEachCharacter(text, [&](qsizetype start, qsizetype length) {
        const Kind characterKind = kind(text.sliced(start, length));
        if (characterKind == Kind::Common)
            return;
        if (!found.isEmpty() && found.last().kind == characterKind && found.last().start + found.last().length == start)
            found.last().length += length;
        else
            found.append({start, length, characterKind});
    });
    return found;
}

QStringView characterAt(QStringView text, qsizetype position)
{
    if (position < 0 || position >= text.size())
        return {};
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    clusters.setPosition(position + 1);
    const qsizetype start = clusters.toPreviousBoundary();
    return text.sliced(start, clusters.toNextBoundary() - start);
}

// The phone shows a character as written only when it shows every unit.
Kind kind(QStringView character)
{
    const Kind *forms = ShiftJis::forms();
    Kind worst = Kind::Common;
    for (QChar unit : character)
        worst = std::max(worst, forms[unit.unicode()]);
    return worst;
}

QString replacement(QStringView character)
{
    if (kind(character) == Kind::Common)
        return {};
    const QString compatible = character.toString().normalized(QString::NormalizationForm_KC);
    if (compatible == character || kind(compatible) != Kind::Common)
        return {};
    return compatible;
}

QList<Replacement> replacements(QStringView text)
{
    // Marked characters tend to repeat; each is normalized once.
    QHash<QString, QString> known;
    QList<Replacement> found;
    forEachCharacter(text, [&](qsizetype start, qsizetype length) {
        const QStringView character = text.sliced(start, length);
        if (kind(character) == Kind::Common)
            return;
        const QString key = character.toString();
        auto it = known.find(key);
        if (it == known.end())
            it = known.insert(key, replacement(character));
        if (!it->isEmpty())
            found.append({start, length, *it});
    });
    return found;
}

Totals totals(QStringView text)
{
    Totals totals;
    forEachCharacter(text, [&](qsizetype start, qsizetype length) {
        switch (kind(text.sliced(start, length))) {
        case Kind::Missing:
            ++totals.missing;
            break;
        case Kind::VendorExtension:
            ++totals.vendorExtension;
            break;
        case Kind::Common:
            break;
        }
    });
    return totals;
}

QString asSent(QString boxText)
{
    boxText.replace(QChar::Nbsp, u' ');
    boxText.replace(QChar::LineSeparator, u'\n');
    return boxText;
}

} // namespace PhoneCharacters
