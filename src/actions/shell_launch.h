#pragma once

#include "platform/desktop_services.h"
#include "platform/shell_launcher.h"

#include <QString>
#include <optional>

enum class LaunchFamily { MailProgram, Browser };

struct LaunchError {
    QString text;
    QString title;
};

// The message for a launch result, or nothing when the handler was started.
std::optional<LaunchError> launchErrorFor(int result, LaunchFamily family);

// Opens target with the desktop's handler and, if that fails, tells the user
// in the words of the family. Returns before the outcome is known.
void ShellLaunch(ShellLauncher &launcher, MessageBox &messages, const QString &target,
                 LaunchFamily family);

// The message of a launch that fails before anything is started.
void reportLaunchFailure(MessageBox &messages, int result, LaunchFamily family);
