#include "ui/picture_button.h"

#include <QAccessibleWidget>
#include <QCursor>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolTip>

namespace {

// Without this a screen reader sees a picture it cannot press.
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

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureButton::staticMetaObject.className()))
        return new AccessiblePictureButton(static_cast<PictureButton *>(object));
    return nullptr;
}

} // namespace

PictureButton::PictureButton(QWidget *parent) : QLabel(parent)
{
    // Once for the program: Qt asks the factories for every object it reads out.
    static const bool accessibleMade = (QAccessible::installFactory(createAccessible), true);
    Q_UNUSED(accessibleMade)
    setCursor(Qt::PointingHandCursor);
    m_release.setSingleShot(true);
    m_release.setInterval(150);
    connect(&m_release, &QTimer::timeout, this, &PictureButton::mouseUp);
}

void PictureButton::showPicture(const QPixmap &picture, const QString &fileName)
{
    setPixmap(picture);
    resize(picture.deviceIndependentSize().toSize());
    m_pictureFile = fileName;
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

void PictureButton::updateToolTip()
{
    const QString what = accessibleDescription().isEmpty() ? accessibleName() : accessibleDescription();
    setToolTip(m_keys.isEmpty() ? what
                                : QStringLiteral("%1 (%2)").arg(what, m_keys.first().toString(QKeySequence::NativeText)));
    // A tip already showing follows, so that an answer that comes while the
    // mouse rests on the picture is seen at once.
    if (QToolTip::isVisible() && underMouse())
        QToolTip::showText(QCursor::pos(), toolTip(), this);
}

void PictureButton::setShortcuts(const QList<QKeySequence> &keys)
{
    if (!m_shortcut) {
        m_shortcut = new QShortcut(this);
        m_shortcut->setAutoRepeat(false); // a key held down sends once
        connect(m_shortcut, &QShortcut::activated, this, &PictureButton::animateClick);
    }
    m_shortcut->setKeys(keys);
    m_keys = keys;
    updateToolTip();
}

void PictureButton::animateClick()
{
    // A second press before the release belongs to the same click.
    if (m_release.isActive())
        return;
    Q_EMIT mouseDown();
    m_release.start();
}

bool PictureButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        Q_EMIT toolTipWanted();
    return QLabel::event(event);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT mouseDown();
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT mouseUp();
}
