#include "layouts/window_style.h"

#include <QGuiApplication>
#include <QIcon>
#include <QVariant>
#include <QWidget>

namespace WindowStyle {

void applyBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    // Check boxes and option buttons fill with the button colour by default.
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

void applyTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void applyFractionalFontSizes(QWidget *window)
{
    auto apply = [](QWidget *widget) {
        const QVariant size = widget->property("pointSizeF");
        if (!size.isValid())
            return;
        QFont font = widget->font();
        font.setPointSizeF(size.toDouble());
        widget->setFont(font);
    };
    apply(window);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children)
        apply(child);
}

void applyWindowIcon(QWidget *window)
{
    static const QIcon icon = [] {
        QIcon i;
        i.addFile(QStringLiteral(":/layouts/pictures/icon16.png"));
        i.addFile(QStringLiteral(":/layouts/pictures/icon32.png"));
        return i;
    }();
    window->setWindowIcon(icon);
}

QPixmap builtInPicture(const QString &name, const QSize &size)
{
    // QIcon picks up the "@2x" file beside the named one by itself.
    const QIcon picture(QStringLiteral(":/layouts/pictures/%1.png").arg(name));
    return picture.pixmap(size, qApp->devicePixelRatio());
}

} // namespace WindowStyle
