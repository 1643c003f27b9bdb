#include "ui/dialog_frame.h"

#include "ui/window_style.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {

// Sees the keys that no control of the dialog took for itself.
class DialogKeys : public QObject {
public:
    DialogKeys(QObject *parent, DialogFrame::EscapeKey escape) : QObject(parent), m_escape(escape) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Cancel))
            return m_escape == DialogFrame::EscapeKey::Ignored;
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        const auto *dialog = static_cast<QWidget *>(watched);
        auto *focused = qobject_cast<QPushButton *>(dialog->focusWidget());
        if (!focused)
            return false; // QDialog presses the default button, if any
        focused->click();
        return true;
    }

private:
    DialogFrame::EscapeKey m_escape;
};

QAccessibleInterface *accessibleNotice(const QString &className, QObject *object)
{
    if (className == QLatin1String(Notice::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<Notice *>(object), QAccessible::AlertMessage);
    return nullptr;
}

} // namespace

namespace DialogFrame {

Qt::WindowFlags windowFlags(Qt::WindowType kind)
{
    return kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
           | Qt::WindowCloseButtonHint;
}

void dress(QDialog *dialog, EscapeKey escape)
{
    WindowStyle::applyWindowIcon(dialog);
    WindowStyle::applyDesignFonts(dialog);
    dialog->setFixedSize(dialog->size());

    const auto buttons = dialog->findChildren<QPushButton *>();
    for (QPushButton *button : buttons)
        button->setAutoDefault(false);
    dialog->installEventFilter(new DialogKeys(dialog, escape));
}

void centreOnScreen(QWidget *notice, const QWidget *owner)
{
    const QRect screen = owner->screen()->availableGeometry();
    // move() places the frame, which a window gets only when first shown: the
    // owner's frame is the best guess of it, as QDialog guesses too.
    const QPoint frame = owner->geometry().topLeft() - owner->pos();
    notice->move(screen.center() - notice->rect().center() - frame);
}

} // namespace DialogFrame

Notice::Notice(QWidget *owner, Placement placement)
    : QDialog(placement == Placement::OwnWindow ? nullptr : owner,
              DialogFrame::windowFlags(placement == Placement::OwnWindow ? Qt::Window : Qt::Dialog)),
      m_owner(owner), m_placement(placement)
{
    // Once for the program: Qt asks the factories for every object it reads out.
    [[maybe_unused]] static const bool accessibleMade = (QAccessible::installFactory(accessibleNotice), true);
    if (placement == Placement::OwnWindow)
        setWindowModality(Qt::ApplicationModal);
}

void Notice::finish(QAbstractButton *ok)
{
    DialogFrame::dress(this, DialogFrame::EscapeKey::Rejects);
    WindowStyle::applyBackground(this, WindowStyle::PanelColor);
    for (QCheckBox *box : findChildren<QCheckBox *>())
        WindowStyle::applyBackground(box, WindowStyle::PanelColor);
    if (m_placement != Placement::OverOwner)
        DialogFrame::centreOnScreen(this, m_owner);
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
}
