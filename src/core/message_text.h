#pragma once

#include <QString>

// The editing boxes keep line breaks as "\n"; the message itself (counted,
// stored, sent) breaks its lines with CR LF, as the phone does.
namespace MessageText {

// A box's text, or its document's raw text (paragraphs parted by U+2029).
QString fromBox(QStringView boxText);
// A stored lone CR or LF is a line break too.
QString toBox(QStringView messageText);

// Length in half-width units of the message a box holds: its code page 932
// bytes, with every line break counted as the two bytes of CR LF.
qsizetype count(QStringView boxText);

// The most characters typing, input methods and pastes bring into a box:
// fifty messages' worth, and as many as one paragraph can hold while a
// keystroke stays well within a frame (BENCHMARKS.md).
constexpr qsizetype MaximumCharacters = 10'000;

// Characters as the user counts them: a surrogate pair is one.
qsizetype characterCount(QStringView text);

// How many characters may take the place of text[start, end): as many as keep
// the text within the limit, and never fewer than it replaces, so that a text
// over the limit (a stored draft may be) can be edited without growing.
// `takenOut` characters that the same change has already removed elsewhere
// (text moved by a drag) count as replaced.
qsizetype room(QStringView text, qsizetype start, qsizetype end, qsizetype takenOut = 0);

} // namespace MessageText
