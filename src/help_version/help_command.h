#pragma once

#include "platform/desktop_services.h"
#include "platform/shell_launcher.h"

namespace HelpCommand {

// Opens help/index.html in the browser. Where no help folder can be found,
// the user gets the browser's failure message and nothing is launched.
void open(ShellLauncher &launcher, MessageBox &messages);

} // namespace HelpCommand
