#include "help_version/help_command.h"

#include "actions/shell_launch.h"
#include "platform/data_files.h"

namespace HelpCommand {

void open(ShellLauncher &launcher, MessageBox &messages)
{
    const QString page = DataFiles::find(QStringLiteral("help"), QStringLiteral("index.html"));
    if (page.isEmpty()) {
        reportLaunchFailure(messages, ShellLauncher::OtherFailure, LaunchFamily::Browser);
        return;
    }
    ShellLaunch(launcher, messages, page, LaunchFamily::Browser);
}

} // namespace HelpCommand
