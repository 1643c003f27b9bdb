#pragma once

#include <QDialog>

class QAbstractButton;

// What the program's dialogs have in common beyond their Designer files.
namespace DialogFrame {

// What Esc does: nothing (the version window), or what the dialog's reject()
// does: "キャンセル" in the settings dialogs, closing a notice, the safe answer
// in a question.
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

// The shape of the notices and the clear confirmation: dressed as above, in
// the panel colour, OK (cmdOK) accepts, Esc and the close box reject. A screen
// reader is told it is an alert: Orca reads an alert's every label when it
// opens, a dialog's only those that look like sentences to it (three words
// or more), which Japanese ones, without blanks, seldom do.
class Notice : public QDialog {
    Q_OBJECT
public:
    enum class Placement {
        OverOwner, // parented: QDialog opens it in the middle of its owner
        MidScreen, // parented, in the middle of the owner's screen
        OwnWindow, // mid-screen without a Qt parent, so that it is a window with a
                   // task-bar button of its own, and application modal instead
    };

protected:
    Notice(QWidget *owner, Placement placement);
    // Finishes the notice once its Designer file is set up.
    void finish(QAbstractButton *ok);

private:
    QWidget *m_owner;
    Placement m_placement;
};
