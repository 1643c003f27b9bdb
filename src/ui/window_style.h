#pragma once

#include <QColor>
#include <QPixmap>

class QWidget;

// How every window of the program is dressed beyond what Designer can say.
namespace WindowStyle {

// The program's background colour.
inline const QColor PanelColor{221, 243, 247};

// Paints a window, frame, option button or check box with the colour.
void applyBackground(QWidget *widget, const QColor &color);

void applyTextColor(QWidget *widget, const QColor &color);

// Finishes the fonts of a window built from a Designer file, for it and
// every child. Designer files keep whole point sizes only; a control whose
// font is a fractional size (12.75 pt, say) carries it in the dynamic
// property "pointSizeF". They also name the Windows fonts ("ＭＳ ゴシック"),
// which are replaced by the installed family registered as their substitute:
// resolved once here rather than searched for by every control.
void applyDesignFonts(QWidget *window);

// The application icon, for the window's title bar.
void applyWindowIcon(QWidget *window);

// A picture built into the program ("handset", "CopyBtn"...) at its natural
// size, drawn from its @2x rendering where the desktop is scaled up, so that
// it stays sharp.
QPixmap builtInPicture(const QString &name, const QSize &size);

} // namespace WindowStyle
