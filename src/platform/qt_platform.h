#pragma once

#include "platform/ini_settings_store.h"
#include "platform/platform.h"
#include "platform/qt_desktop_services.h"
#include "platform/xdg_shell_launcher.h"

// The real desktop: made once in main() and lent out as a Platform.
class QtPlatform {
public:
    Platform platform() { return {store_, instance_, launcher_, messages_, beeper_, clipboard_, pictures_}; }

private:
    IniSettingsStore store_;
    LockFileInstanceGuard instance_;
    XdgShellLauncher launcher_;
    QtMessageBox messages_;
    QtBeeper beeper_;
    QtClipboard clipboard_;
    FilePictureLoader pictures_;
};
