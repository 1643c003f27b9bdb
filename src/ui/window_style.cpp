#include "ui/window_style.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QVariant>
#include <QWidget>
#include <algorithm>

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

namespace {

QString installedFamily(const QString &family)
{
    static QHash<QString, QString> resolved;
    if (const auto known = resolved.constFind(family); known != resolved.cend())
        return *known;
    QString chosen = family;
    if (!QFontDatabase::hasFamily(family)) {
        const QStringList substitutes = QFont::substitutes(family);
        const auto installed = std::find_if(substitutes.cbegin(), substitutes.cend(),
                                            [](const QString &name) { return QFontDatabase::hasFamily(name); });
        if (installed != substitutes.cend())
            chosen = *installed;
    }
    resolved.insert(family, chosen);
    return chosen;
}

void applyDesignFont(QWidget *widget)
{
    const QVariant size = widget->property("pointSizeF");
    const bool ownFamily = widget->font().resolveMask() & QFont::FamilyResolved;
    if (!size.isValid() && !ownFamily)
        return;
    QFont font = widget->font();
    if (size.isValid())
        font.setPointSizeF(size.toDouble());
    if (ownFamily)
        font.setFamily(installedFamily(font.family()));
    widget->setFont(font);
}

} // namespace

void applyDesignFonts(QWidget *window)
{
    applyDesignFont(window);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children)
        applyDesignFont(child);
}

void applyWindowIcon(QWidget *window)
{
    static const QIcon icon = [] {
        QIcon i;
        i.addFile(QStringLiteral(":/ui/pictures/icon16.png"));
        i.addFile(QStringLiteral(":/ui/pictures/icon32.png"));
        return i;
    }();
    window->setWindowIcon(icon);
}

QPixmap builtInPicture(const QString &name, const QSize &size)
{
    // QIcon picks up the "@2x" file beside the named one by itself.
    const QIcon picture(QStringLiteral(":/ui/pictures/%1.png").arg(name));
    return picture.pixmap(size, qApp->devicePixelRatio());
}

} // namespace WindowStyle
