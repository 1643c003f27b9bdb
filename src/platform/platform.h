#pragma once

#include "core/settings_store.h"
#include "platform/desktop_services.h"
#include "platform/launcher.h"
#include "platform/mail_program_lookup.h"
#include "platform/picture_loader.h"

// What the windows ask of the desktop, handed to them as one bundle.
struct Platform {
    SettingsStore &store;
    Launcher &launcher;
    MessageBox &messages;
    Clipboard &clipboard;
    PictureLoader &pictures;
    MailProgramLookup &mailProgram;
};
