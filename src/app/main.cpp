#include "command_line.h"
#include "platform/fonts.h"
#include "platform/qt_platform.h"
#include "platform/termination_signals.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/orderly_close.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>
#include <optional>

namespace {

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
    CommandLine::answerHelpOrVersion(argc, argv);
    if (CommandLine::noDisplayToShowOn(argc, argv))
        return 1;
    std::optional<CommandLine::DisplayFailureGuard> displayGuard(std::in_place);
    QApplication app(argc, argv);
    displayGuard.reset();
    CommandLine::refuseUnknownOptions(app);
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
