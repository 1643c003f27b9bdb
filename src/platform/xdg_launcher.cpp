#include "platform/xdg_launcher.h"

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

XdgLauncher::XdgLauncher(QObject *parent) : QObject(parent) {}

void XdgLauncher::open(const QString &target, Done done)
{
    if (QStandardPaths::findExecutable(Opener).isEmpty()) {
        done(LaunchResult::Failed);
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
                done(opened ? LaunchResult::Started : LaunchResult::Failed);
            });
    connect(process, &QProcess::errorOccurred, process, [process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        // xdg-open is there (checked above), so a start that fails is the
        // system running out of processes or memory.
        done(LaunchResult::OutOfResources);
    });
    process->start();
}
