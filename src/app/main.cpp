#include "platform/fonts.h"
#include "platform/qt_platform.h"
#include "platform/termination_signals.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/orderly_close.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>
#include <cstdio>

namespace {

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("携帯電話のショートメールを書くためのツールです。\n"
                       "Writes a short mobile-phone mail, 8 or 10 full-width characters a line."));
    parser.addHelpOption();
    parser.addVersionOption();
}

// --help and --version are answered before the window system is reached, so
// that they work without a display and never meet the instance lock. Qt's
// own options (-platform, -style...) look unknown here; the arguments are
// checked in full once QApplication has taken those out.
void answerHelpOrVersion(int &argc, char *argv[])
{
    QCommandLineParser parser;
    describeOptions(parser);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments) || parser.optionNames().isEmpty())
        return;
    QCoreApplication app(argc, argv);
    parser.process(app); // prints and exits
}

// Without X or Wayland, Qt's platform plugin ends the program with an abort
// and advice to reinstall it. Say plainly what is missing instead, unless a
// platform that needs no display server (offscreen, minimal, vnc...) was
// chosen with QT_QPA_PLATFORM or -platform, or -display names an X server.
bool noDisplayToShowOn(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument == "-display" || argument == "--display")
            return false;
        if (argument == "-platform" || argument == "--platform")
            platforms = argv[i + 1];
    }
    // "name:option,option;fallback"
    for (const QByteArray &platform : platforms.split(';')) {
        const QByteArray name = platform.split(':').constFirst();
        if (!name.isEmpty() && name != "xcb" && !name.startsWith("wayland"))
            return false;
    }
    std::fputs("larkpad: ウィンドウを表示するディスプレイがありません。"
               "No display to show the window on: neither DISPLAY nor WAYLAND_DISPLAY is set.\n",
               stderr);
    return true;
}

// Only one copy may run: a second one says so and ends without touching the
// stored text or settings.
bool refuseIfRunning(QtPlatform &desktop)
{
    if (!desktop.instanceLock().anotherInstanceRunning())
        return false;
    QApplication::beep();
    desktop.platform().messages.show(QStringLiteral("「ラークパッド」はすでに起動しています。\r\n"
                                                    "「ラークパッド」を複数起動することはできません。"),
                                     QStringLiteral("ラークパッド"), MessageStyle::Warning);
    return true;
}

// The whole program speaks Japanese, so Qt's own words (the editor's context
// menu, standard buttons) do too, whatever the user's locale. Without the
// translation file they stay in English.
void installQtJapanese(QTranslator &translator)
{
    if (translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("larkpad"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LARKPAD_VERSION));
    answerHelpOrVersion(argc, argv);
    if (noDisplayToShowOn(argc, argv))
        return 1;
    QApplication app(argc, argv);
    {
        QCommandLineParser parser;
        describeOptions(parser);
        parser.process(app); // ends the program on an unknown option
    }
    QGuiApplication::setDesktopFileName(QStringLiteral("example.larkpad.Larkpad"));
    registerJapaneseFontSubstitutes();
    QTranslator qtJapanese;
    installQtJapanese(qtJapanese);

    QtPlatform desktop;
    if (refuseIfRunning(desktop))
        return 0;
    const Platform platform = desktop.platform();
    WindowDialogs dialogs(platform);
    MainWindow window(platform, dialogs);

    OrderlyClose orderlyClose(&window);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &orderlyClose,
                     &OrderlyClose::request);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &orderlyClose,
                     [&orderlyClose](QSessionManager &) { orderlyClose.request(); });

    window.show();
    return app.exec();
}
