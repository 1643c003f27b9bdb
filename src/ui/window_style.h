#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <memory>

class QFont;
class QObject;
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
//
// Each time the window is shown, a caption whose glyphs would be cut by its
// fixed rectangle in the font found (Noto CJK stands taller and wider than
// the design fonts) is made a step smaller, as often as needed.
void applyDesignFonts(QWidget *window);

// While it lives, a control of `window` whose font names a design family
// gets the installed family at once, as the window definition sets the font:
// Qt does not know the Windows names, and a control that lays out its text
// in setupUi() (a text box, a frame's caption) would have each of them
// matched through fontconfig's fallback sorts, two for every design family.
class DesignFamiliesAsBuilt {
public:
    explicit DesignFamiliesAsBuilt(QWidget *window);
    ~DesignFamiliesAsBuilt();
    DesignFamiliesAsBuilt(const DesignFamiliesAsBuilt &) = delete;
    DesignFamiliesAsBuilt &operator=(const DesignFamiliesAsBuilt &) = delete;

private:
    std::unique_ptr<QObject> m_resolver;
};

// Where and how the style draws a control's caption: a label's text, a
// button's or a frame's caption. Other controls have an empty text.
struct Caption {
    QString text;
    QRect rect;
    int flags = 0; // Qt::AlignmentFlag | Qt::TextFlag
};
Caption captionOf(const QWidget *control);

// Whether the caption shows whole in `font`: nothing of its glyphs, drawn
// unclipped, falls outside its rectangle, but for the row of pixels that
// rounding glyph outlines to whole pixels may take. An antialiased fringe
// (less than half a pixel's ink) does not count.
bool wholeCaption(const Caption &caption, const QFont &font);

// Makes the control's caption a step smaller than its design size, as often
// as it takes to show whole; for a caption that changes while its window is
// open (the count, a caption that follows a choice).
void fitCaption(QWidget *control);

// The application icon, for the window's title bar.
void applyWindowIcon(QWidget *window);

// A picture built into the program ("handset", "CopyBtn"...) at its natural
// size, drawn from its @2x rendering where the desktop is scaled up, so that
// it stays sharp.
QPixmap builtInPicture(const QString &name, const QSize &size);

} // namespace WindowStyle
