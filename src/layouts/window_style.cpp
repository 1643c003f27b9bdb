#include "layouts/window_style.h"

#include <QIcon>
#include <QVariant>
#include <QWidget>

namespace WindowStyle {

void applyBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
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

} // namespace WindowStyle
