#pragma once

#include <Qt>

class QDialog;
class QWidget;

// What the program's dialogs have in common beyond their Designer files.
namespace DialogFrame {

// What Esc does: nothing in the notices (which have no Cancel), or what the
// dialog's reject() does ("キャンセル" in the settings dialogs).
enum class EscapeKey { Ignored, Rejects };

// The window flags to build a notice with: a title bar with the close box
// only. `kind` is Qt::Dialog for a notice that stays with its owner,
// Qt::Window for one that gets a task-bar button of its own.
Qt::WindowFlags windowFlags(Qt::WindowType kind);

// Finishes a dialog just built from its Designer file: the application icon,
// the fractional font sizes and a client area fixed at its design size.
//
// It also gives the dialog the keyboard the program's users know: Enter
// presses the focused push button, or else the default button if there is
// one. Qt's auto-default buttons would differ: a window without a default
// button would get its first push button as one.
void dress(QDialog *dialog, EscapeKey escape);

// Places the notice in the middle of the screen that `owner`, the window
// opening it, is on.
void centreOnScreen(QWidget *notice, const QWidget *owner);

} // namespace DialogFrame
