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

// Only one copy may run: a second one says so and ends without touching the
// stored text or settings.
bool refuseIfRunning(QtPlatform &desktop)
{
    if (!desktop.instanceLock().anotherInstanceRunning())
        return false;
    desktop.beeper().beep();
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
