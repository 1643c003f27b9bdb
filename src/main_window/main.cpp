#include "main_window/frm_main.h"
#include "main_window/window_dialogs.h"
#include "platform/fonts.h"
#include "platform/qt_platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("ラークパッド"));
    QGuiApplication::setDesktopFileName(QStringLiteral("larkpad"));
    registerJapaneseFontSubstitutes();

    SharedState state;
    QtPlatform desktop;
    Platform platform = desktop.platform();
    WindowDialogs dialogs(state, platform);
    FrmMain window(state, platform, dialogs);
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
