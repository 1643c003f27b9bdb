#pragma once

#include "platform/ini_settings_store.h"
#include "platform/instance_lock.h"
#include "platform/platform.h"
#include "platform/qt_desktop_services.h"
#include "platform/xdg_launcher.h"
#include "platform/xdg_mail_program_lookup.h"

// The real desktop: made once in main() and lent out as a Platform.
class QtPlatform {
public:
    Platform platform() { return {m_store, m_launcher, m_messages, m_clipboard, m_pictures, m_mailProgram}; }

    InstanceLock &instanceLock() { return m_instanceLock; }

private:
    IniSettingsStore m_store;
    // Beside the file it protects: two copies that would write the same
    // settings file meet at the same lock, whatever their environment.
    InstanceLock m_instanceLock{m_store.location() + QStringLiteral(".instance")};
    XdgLauncher m_launcher;
    QtMessageBox m_messages;
    QtClipboard m_clipboard;
    FilePictureLoader m_pictures;
    XdgMailProgramLookup m_mailProgram;
};
