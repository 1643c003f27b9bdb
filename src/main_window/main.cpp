#include "main_window/frm_main.h"
#include "main_window/orderly_close.h"
#include "main_window/window_dialogs.h"
#include "platform/fonts.h"
#include "platform/qt_platform.h"
#include "platform/shift_jis.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QSessionManager>
#include <QThreadPool>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("example.larkpad.Larkpad"));
    registerJapaneseFontSubstitutes();
    // The count's table takes a few milliseconds to build; the other core
    // builds it while this one sets up the window.
    QThreadPool::globalInstance()->start(&ShiftJis::prepare);

    SharedState state;
    QtPlatform desktop;
    Platform platform = desktop.platform();
    WindowDialogs dialogs(state, platform);
    FrmMain window(state, platform, dialogs);
    if (!window.Form_Load())
        return 0;

    OrderlyClose orderlyClose(&window);
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &orderlyClose,
                     &OrderlyClose::request);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &orderlyClose,
                     [&orderlyClose](QSessionManager &) { orderlyClose.request(); });

    window.show();
    return app.exec();
}
