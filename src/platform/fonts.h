#pragma once

// The window definitions name the fonts "ＭＳ ゴシック" and "ＭＳ Ｐゴシック";
// map them onto Japanese fonts this desktop has, fixed-pitch ones first for
// the former, so that a full-width character stays two half-width cells wide.
void registerJapaneseFontSubstitutes();
