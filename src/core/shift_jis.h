#pragma once

#include <QByteArray>
#include <QStringView>

// Code page 932 through glibc's converter. Qt's own "windows-31j" table is a
// different table (controls swapped, several signs unmappable) and writes two
// bytes for a character it cannot map, so the counts would not match the
// phone's.
namespace ShiftJis {

// The bytes of the text; a character without a code page 932 form is written
// as the single byte '?'. A surrogate pair is one character.
QByteArray encode(QStringView text);

enum class LineBreaks {
    AsIs, // "\n" is the one byte it is
    CrLf, // every "\n" stands for the CR LF it will be written as
};

// Number of bytes encode() would produce, without building them.
qsizetype byteCount(QStringView text, LineBreaks lineBreaks = LineBreaks::AsIs);

// Where a character's code page 932 form lies, which decides whether a phone
// shows it.
enum class Form : unsigned char {
    Common,          // ASCII, half-width katakana, JIS X 0208: every phone
    VendorExtension, // NEC and IBM rows, user-defined area: only some phones
    Missing,         // none; sent as '?'
};

// The form of every UTF-16 unit, 65,536 entries, read from the same table as
// the count. Both halves of a surrogate pair are Missing.
const Form *forms();

} // namespace ShiftJis
