#include "platform/xdg_launcher.h"

#include "platform/child_watch.h"
#include "platform/desktop_uri.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr auto Opener = "xdg-open";
// An opener that fails does so at once; one still running after this has
// handed the target to its handler.
constexpr int GracePeriodMs = 3000;

QString argumentFor(const QString &target)
{
    return QDir::isAbsolutePath(target) ? target : DesktopUri::fromUrl(target);
}

LaunchResult resultOfSpawnError(int error)
{
    switch (error) {
    case ENOMEM:
    case EAGAIN:
        return LaunchResult::OutOfResources;
    case ENOEXEC:
    case EACCES:
    case ELIBBAD:
        return LaunchResult::BrokenProgram;
    case ETXTBSY:
        return LaunchResult::Busy;
    case E2BIG:
        return LaunchResult::TooLong;
    default:
        return LaunchResult::Failed; // ENOENT: no xdg-open on PATH
    }
}

// Starts xdg-open reading and printing nothing, holding none of this program's files
// (the instance lock among them), in a session of its own so that the
// terminal's signals meant for this program do not reach the handler.
// Returns 0 or the error number.
int spawnOpener(const QByteArray &argument, pid_t *pid)
{
    posix_spawn_file_actions_t files;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // What the opener and the handler print (xdg-open's many lines when no
    // browser is found) is theirs; the failure is told in a window.
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    char *const argv[] = {const_cast<char *>(Opener), const_cast<char *>(argument.constData()), nullptr};
    const int error = ::posix_spawnp(pid, Opener, &files, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    return error;
}

} // namespace

XdgLauncher::XdgLauncher(QObject *parent) : QObject(parent) {}

void XdgLauncher::open(const QString &target, Done done)
{
    pid_t pid = 0;
    if (const int error = spawnOpener(QFile::encodeName(argumentFor(target)), &pid)) {
        done(resultOfSpawnError(error));
        return;
    }
    // Told once: by the opener's end within the grace period, else by its end.
    auto report = [pending = std::make_shared<Done>(std::move(done))](LaunchResult result) {
        if (*pending)
            std::exchange(*pending, {})(result);
    };
    auto *watch = new ChildWatch(pid, [report](int status) {
        const bool opened = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        report(opened ? LaunchResult::Started : LaunchResult::Failed);
    }, this);
    QTimer::singleShot(GracePeriodMs, watch, [report] { report(LaunchResult::Started); });
}
