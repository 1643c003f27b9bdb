#include "ui/help_window.h"

#include "ui/dialog_frame.h"
#include "ui/window_style.h"

#include <QRegularExpression>
#include <QShortcut>
#include <QStringDecoder>

HelpWindow::HelpWindow(const QString &page, QWidget *owner) : QTextBrowser(owner)
{
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ラークパッド ヘルプ"));
    setAccessibleName(QStringLiteral("ヘルプ"));
    // The design's gothic, resolved to an installed Japanese font, so that
    // kanji are drawn with Japanese glyphs whatever the locale.
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    WindowStyle::applyDesignFonts(this);
    WindowStyle::applyWindowIcon(this);
    // Closed by Esc as well as by its frame, like the program's other windows.
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
    resize(680, 720);
    DialogFrame::centreOnScreen(this, owner);
    setSource(QUrl::fromLocalFile(page));
}

// Qt's rich text has no SVG: it would print the drawings' labels as a line
// of loose words. They are left out; each figure's caption stays.
QVariant HelpWindow::loadResource(int type, const QUrl &name)
{
    const QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource || resource.typeId() != QMetaType::QByteArray)
        return resource;
    QString html = QStringDecoder(QStringDecoder::Utf8).decode(resource.toByteArray());
    static const QRegularExpression drawing(QStringLiteral("<svg\\b.*?</svg>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return html.remove(drawing);
}
