#pragma once

#include "platform/desktop_services.h"
#include "platform/instance_guard.h"
#include "platform/picture_loader.h"
#include "platform/settings_store.h"
#include "platform/shell_launcher.h"

// Everything the windows ask of the desktop, handed to them as one bundle.
struct Platform {
    SettingsStore &store;
    InstanceGuard &instance;
    ShellLauncher &launcher;
    MessageBox &messages;
    Beeper &beeper;
    Clipboard &clipboard;
    PictureLoader &pictures;
};
