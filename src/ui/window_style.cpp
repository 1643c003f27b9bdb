#include "ui/window_style.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QVariant>
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

// The design name itself is not looked up: fontconfig answers every name
// with some font, and every font would then be loaded through Qt's no-match
// fallback path, a fontconfig sort each. A substitute is asked for by its
// spelling in the substitution list, which QFontDatabase::hasFamily matches
// against the names fontconfig gives in every language: under a Japanese
// locale the installed families read "IPAゴシック", not "IPAGothic". The fonts
// Qt loaded for the design name while the window was being built are cached
// under that spelling, and are found again.
QString installedFamily(const QString &family)
{
    static QHash<QString, QString> resolved;
    auto found = resolved.constFind(family);
    if (found == resolved.cend()) {
        const QStringList substitutes = QFont::substitutes(family);
        const auto installed = std::find_if(substitutes.cbegin(), substitutes.cend(), QFontDatabase::hasFamily);
        found = resolved.insert(family, installed != substitutes.cend() ? *installed : family);
    }
    return *found;
}

bool namesOwnFamily(const QWidget *widget)
{
    // uic names the family through setFamilies().
    return widget->font().resolveMask() & (QFont::FamilyResolved | QFont::FamiliesResolved);
}

void applyDesignFont(QWidget *widget)
{
    const QVariant size = widget->property("pointSizeF");
    const bool ownFamily = namesOwnFamily(widget);
    if (!size.isValid() && !ownFamily)
        return;
    QFont font = widget->font();
    if (size.isValid())
        font.setPointSizeF(size.toDouble());
    if (ownFamily)
        font.setFamilies({installedFamily(font.family())});
    widget->setFont(font);
}

// Fits the captions of its window each time the window is shown: texts set
// after the window was built are in place by then.
class CaptionFitter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            const auto controls = watched->findChildren<QWidget *>();
            for (QWidget *control : controls)
                fitCaption(control);
        }
        return false;
    }
};

// Sees every font change in the application while it is installed, and
// passes on those of its window's controls with the family resolved.
class FamilyResolver : public QObject {
public:
    explicit FamilyResolver(QWidget *window) : m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FontChange || !watched->isWidgetType())
            return false;
        auto *control = static_cast<QWidget *>(watched);
        if ((control != m_window && !m_window->isAncestorOf(control)) || !namesOwnFamily(control))
            return false;
        QFont font = control->font();
        font.setFamilies({installedFamily(font.family())});
        if (font == control->font())
            return false;
        // The control takes the font change this sends, not the one it
        // replaces.
        control->setFont(font);
        return true;
    }

private:
    QWidget *m_window;
};

} // namespace

DesignFamiliesAsBuilt::DesignFamiliesAsBuilt(QWidget *window) : m_resolver(new FamilyResolver(window))
{
    // Under a Japanese locale Qt 6.4's QFontDatabase::hasFamily() does not
    // know a substitute's spelling ("ipagothic") until some font has been
    // loaded: the window's own, which its first text box loads anyway.
    QFontMetrics(window->font()).height();
    qApp->installEventFilter(m_resolver.get());
}

DesignFamiliesAsBuilt::~DesignFamiliesAsBuilt() = default;

void applyDesignFonts(QWidget *window)
{
    applyDesignFont(window);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children)
        applyDesignFont(child);
    window->installEventFilter(new CaptionFitter(window));
}

// Design sizes go in steps of 0.75 pt, a pixel at 96 dots per inch; two
// thirds of its design size are as small as a caption gets (four steps for
// the dialogs' 9 pt, six for the count). Each fitting starts again from
// the design size, so that a caption that has grown shorter (a count back
// under five digits) is drawn at that size again.
void fitCaption(QWidget *control)
{
    const Caption caption = captionOf(control);
    if (caption.text.isEmpty())
        return;
    QFont font = control->font();
    if (const QVariant size = control->property("pointSizeF"); size.isValid())
        font.setPointSizeF(size.toDouble());
    // Glyphs inside the lines Qt lays the text out in are inside the
    // rectangle when those lines are: nothing needs drawing to tell.
    if (!caption.rect.contains(QFontMetrics(font).boundingRect(caption.rect, caption.flags, caption.text))) {
        const qreal smallest = font.pointSizeF() * 2 / 3;
        while (font.pointSizeF() - 0.75 >= smallest && !wholeCaption(caption, font))
            font.setPointSizeF(font.pointSizeF() - 0.75);
    }
    if (font != control->font())
        control->setFont(font);
}

bool wholeCaption(const Caption &caption, const QFont &font)
{
    // Drawn unclipped as the style draws it, in a margin wide enough for
    // what a small box cannot hold.
    const int margin = 2 * QFontMetrics(font).height();
    QImage image(caption.rect.size().grownBy({margin, margin, margin, margin}), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    const QRect rect = caption.rect.translated(QPoint(margin, margin) - caption.rect.topLeft());
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(rect, caption.flags | Qt::TextDontClip, caption.text);
    painter.end();
    const QRect inside = rect.adjusted(-1, -1, 1, 1);
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (line[x] < 128 && !inside.contains(x, y))
                return false;
    }
    return true;
}

Caption captionOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const int margin = label->margin();
        QRect rect = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        // A label whose lower half runs into the label below it (the over-200
        // notice's two paragraphs do) has its text end where that one's begins.
        const auto siblings = label->parentWidget() ? label->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)
                                                    : QList<QLabel *>();
        for (const QLabel *below : siblings)
            if (!below->text().isEmpty() && below->y() > label->geometry().center().y()
                && below->geometry().intersects(label->geometry()))
                rect.setBottom(std::min(rect.bottom(), below->y() - label->y() - 1));
        return {label->text(), rect,
                int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0)
                    | (label->buddy() ? Qt::TextShowMnemonic : 0)};
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect rect = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        return {frame->title(), rect & frame->rect(), Qt::AlignCenter | Qt::TextShowMnemonic};
    }
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    if (!button || button->text().isEmpty())
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (qobject_cast<const QPushButton *>(button))
        return {button->text(), button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button),
                Qt::AlignCenter | Qt::TextShowMnemonic};
    const auto contents = qobject_cast<const QCheckBox *>(button) ? QStyle::SE_CheckBoxContents
                                                                  : QStyle::SE_RadioButtonContents;
    return {button->text(), button->style()->subElementRect(contents, &option, button),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic};
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
