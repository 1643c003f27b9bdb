#include "ui/picture_button.h"

#include <QAccessibleWidget>
#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>
#include <QToolTip>

namespace {

// Qt's own button interface would name no key to a screen reader: it knows
// only the single shortcut property, and these keys are a QShortcut's.
class AccessiblePictureButton : public QAccessibleWidget {
public:
    explicit AccessiblePictureButton(PictureButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &actionName) override
    {
        // Pressed a moment later, not within the call, because the action may
        // open a window of its own and the screen reader waits for the answer.
        if (actionName == pressAction())
            button()->animateClick();
    }
    // One key, as Qt's own buttons give: AT-SPI would take a second entry
    // for a menu path.
    QStringList keyBindingsForAction(const QString &actionName) const override
    {
        const QList<QKeySequence> keys = button()->shortcuts();
        if (actionName != pressAction() || keys.isEmpty())
            return {};
        return {keys.first().toString(QKeySequence::NativeText)};
    }

private:
    PictureButton *button() const { return static_cast<PictureButton *>(widget()); }
};

// Qt shows a tool tip as rich text when it looks like markup, and the tip
// may hold a desktop file's Name, which is plain text from outside: an image
// tag there would make Qt open the named file (a FIFO blocks the window for
// good). Escaped, it is shown as written, lines kept as they are.
QString plainTip(const QString &text)
{
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureButton::staticMetaObject.className()))
        return new AccessiblePictureButton(static_cast<PictureButton *>(object));
    return nullptr;
}

} // namespace

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent)
{
    // Once for the program: Qt asks the factories for every object it reads out.
    static const bool accessibleMade = (QAccessible::installFactory(createAccessible), true);
    Q_UNUSED(accessibleMade)
    setCursor(Qt::PointingHandCursor);
    // Reached by Tab, but a click leaves the focus where it was: in the text
    // box, with any composition in it.
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setPictures(const QPixmap &up, const QPixmap &down)
{
    m_up = up;
    m_down = down;
    resize(up.deviceIndependentSize().toSize());
    update();
}

void PictureButton::setName(const QString &name)
{
    setAccessibleName(name);
    updateToolTip();
}

void PictureButton::setDescription(const QString &description)
{
    setAccessibleDescription(description);
    updateToolTip();
}

// The key goes on the first line, so that it reads as the key of the
// action, not of a line of advice below it.
void PictureButton::updateToolTip()
{
    const QString what = accessibleDescription().isEmpty() ? accessibleName() : accessibleDescription();
    QString tip = what;
    if (!m_keys.isEmpty()) {
        const qsizetype firstLineEnd = what.contains(u'\n') ? what.indexOf(u'\n') : what.size();
        tip.insert(firstLineEnd, QStringLiteral(" (%1)").arg(m_keys.first().toString(QKeySequence::NativeText)));
    }
    setToolTip(tip);
    // A tip already showing follows, so that an answer that comes while the
    // mouse rests on the picture is seen at once.
    if (QToolTip::isVisible() && underMouse())
        QToolTip::showText(QCursor::pos(), plainTip(toolTip()), this);
}

void PictureButton::setShortcuts(const QList<QKeySequence> &keys)
{
    if (!m_shortcut) {
        m_shortcut = new QShortcut(this);
        m_shortcut->setAutoRepeat(false); // a key held down sends once
        // Qt's animated click: pressed now, released and clicked a moment
        // later, so that the pressed picture shows as for a click by mouse.
        connect(m_shortcut, &QShortcut::activated, this, &QAbstractButton::animateClick);
    }
    m_shortcut->setKeys(keys);
    m_keys = keys;
    updateToolTip();
}

bool PictureButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        Q_EMIT toolTipWanted();
        if (!toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), plainTip(toolTip()), this);
            return true;
        }
    }
    return QAbstractButton::event(event);
}

// QAbstractButton presses on Space only; a focused push button takes Enter too.
void PictureButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier) && !event->isAutoRepeat())
        animateClick();
    else
        QAbstractButton::keyPressEvent(event);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Qt repaints a button whenever it goes down or up.
    painter.drawPixmap(0, 0, isDown() && !m_down.isNull() ? m_down : m_up);
    // A frame in the focus colour over the picture, which stays as drawn: the
    // style's own focus frame (Fusion's, translucent) is lost on the picture.
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }
}
