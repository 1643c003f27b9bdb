#pragma once

#include "core/shift_jis.h"

#include <QList>
#include <QString>

// The characters of a message that a phone will not show as written: those
// with no code page 932 form (sent as "?") and the 機種依存文字 of the vendor
// rows, which only some phones show. A character is what is drawn as one: a
// surrogate pair, or a letter with the combining marks on it (か + U+3099,
// as file names from macOS and text from PDFs bring it), so that a mark
// never splits what the box draws together.
namespace PhoneCharacters {

using Kind = ShiftJis::Form;

// Neighbouring marked characters of one kind, in UTF-16 units.
struct Run {
    qsizetype start = 0;
    qsizetype length = 0;
    Kind kind = Kind::Common;
    friend bool operator==(const Run &, const Run &) = default;
};

// Every run of marked characters, in order, walked by character (grapheme
// cluster); each unit is looked up once in the count's table.
QList<Run> runs(QStringView text);

// The whole character that the unit at `position` belongs to.
QStringView characterAt(QStringView text, qsizetype position);

Kind kind(QStringView character);

// The box's text as the box hands it on (QTextDocument::toPlainText): a
// no-break space goes as a space and a line separator as a line break, both
// of which every phone shows.
QString asSent(QString boxText);

// What the phone can show in place of a marked character: its compatibility
// form (NFKC, which also composes か + U+3099 into が), when that differs and
// holds no marked character. Empty when there is none.
QString replacement(QStringView character);

struct Replacement {
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;
};

// Every marked character of the text that has a replacement, in order.
QList<Replacement> replacements(QStringView text);

struct Totals {
    qsizetype missing = 0;
    qsizetype vendorExtension = 0;
};

// How many characters of each marked kind the text holds.
Totals totals(QStringView text);

} // namespace PhoneCharacters
