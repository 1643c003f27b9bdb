#pragma once

// The ways text comes into the box, so that a refusal at the limit can say
// what it refused: a key beeps, the others are told in a notice.
enum class TextEntry {
    Typing,
    Paste, // the clipboard, a drop and the X11 selection
    Input, // an input method's commit, an assistive tool's insertion
    Replacement, // the phone-character marks' replacements
};
