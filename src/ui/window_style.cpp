#include "ui/window_style.h"

#include <QFontDatabase>
#include <QGuiApplication>
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

// Looked up in the list of installed families rather than with
// QFontDatabase::hasFamily, which asks fontconfig and, since fontconfig answers
// every name with some font, says yes to "ＭＳ ゴシック" too: every font would
// then be loaded through Qt's no-match fallback path, a fontconfig sort each.
// A substitute is returned as spelt in the substitution list: the fonts Qt
// loaded for the design name while the window was being built are cached
// under that spelling, and are found again.
QString installedFamily(const QString &family)
{
    static const QStringList installed = QFontDatabase::families();
    QStringList candidates{family};
    candidates += QFont::substitutes(family);
    const auto found = std::find_if(candidates.cbegin(), candidates.cend(), [](const QString &name) {
        return installed.contains(name, Qt::CaseInsensitive);
    });
    return found != candidates.cend() ? *found : family;
}

void applyDesignFont(QWidget *widget)
{
    const QVariant size = widget->property("pointSizeF");
    // uic names the family through setFamilies().
    const bool ownFamily = widget->font().resolveMask() & (QFont::FamilyResolved | QFont::FamiliesResolved);
    if (!size.isValid() && !ownFamily)
        return;
    QFont font = widget->font();
    if (size.isValid())
        font.setPointSizeF(size.toDouble());
    if (ownFamily)
        font.setFamilies({installedFamily(font.family())});
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
    const QString file = QStringLiteral(":/ui/pictures/%1.png").arg(name);
    const qreal ratio = qApp->devicePixelRatio();
    // QIcon decodes every rendering it is given, the @2x one too; on an
    // unscaled desktop only the natural one is read.
    if (ratio <= 1.0)
        return QPixmap(file);
    // QIcon picks up the "@2x" file beside the named one by itself.
    return QIcon(file).pixmap(size, ratio);
}

} // namespace WindowStyle
