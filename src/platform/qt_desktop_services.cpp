#include "platform/qt_desktop_services.h"

#include "platform/data_files.h"

#include <QApplication>
#include <QClipboard>
#include <QImageReader>
#include <QMessageBox>
#include <QTextStream>

void QtMessageBox::show(const QString &text, const QString &title, MessageStyle style)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(style == MessageStyle::Error ? QMessageBox::Critical : QMessageBox::Warning,
                    title, lines, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

namespace {

// "sendBtn.gif" -> "sendBtn@2x.gif", the rendering for a desktop scaled 2x.
QString doubleSizeName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name + QStringLiteral("@2x") : name.left(dot) + QStringLiteral("@2x") + name.mid(dot);
}

std::optional<QPixmap> loadDoubleSize(const QString &folder, const QString &name)
{
    if (qApp->devicePixelRatio() <= 1.0)
        return std::nullopt;
    const QString path = DataFiles::find(folder, doubleSizeName(name));
    QImage image;
    if (path.isEmpty() || !image.load(path))
        return std::nullopt;
    image.setDevicePixelRatio(2.0);
    return QPixmap::fromImage(image);
}

} // namespace

std::optional<QPixmap> FilePictureLoader::load(const QString &folder, const QString &name)
{
    if (auto sharp = loadDoubleSize(folder, name))
        return sharp;
    const QString path = DataFiles::find(folder, name);
    QTextStream err(stderr);
    if (path.isEmpty()) {
        err << "larkpad: picture " << folder << '/' << name << " not found; keeping the current one\n";
        return std::nullopt;
    }
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        err << "larkpad: cannot read picture " << path << ": " << reader.errorString()
            << "; keeping the current one\n";
        return std::nullopt;
    }
    return QPixmap::fromImage(image);
}
