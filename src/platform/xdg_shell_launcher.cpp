#include "platform/xdg_shell_launcher.h"

#include "platform/desktop_uri.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr auto Opener = "xdg-open";

QString argumentFor(const QString &target)
{
    return QDir::isAbsolutePath(target) ? target : DesktopUri::fromUrl(target);
}

} // namespace

XdgShellLauncher::XdgShellLauncher(QObject *parent) : QObject(parent) {}

void XdgShellLauncher::open(const QString &target, Done done)
{
    if (QStandardPaths::findExecutable(Opener).isEmpty()) {
        done(OtherFailure);
        return;
    }
    auto *process = new QProcess(this);
    process->setProgram(Opener);
    process->setArguments({argumentFor(target)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);

    connect(process, &QProcess::finished, process,
            [process, done](int exitCode, QProcess::ExitStatus status) {
                process->deleteLater();
                const bool opened = status == QProcess::NormalExit && exitCode == 0;
                done(opened ? Started : OtherFailure);
            });
    connect(process, &QProcess::errorOccurred, process, [process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        // xdg-open is there (checked above), so a start that fails is the
        // system running out of processes or memory.
        done(OutOfResources);
    });
    process->start();
}
