#include "platform/child_watch.h"

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <sys/syscall.h>
#include <utility>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Only where the kernel has no process descriptors (before Linux 5.3).
constexpr int PollIntervalMs = 200;

// Called directly: the C library's header for it lacks C++ linkage.
int openProcessDescriptor(pid_t pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

} // namespace

ChildWatch::ChildWatch(pid_t pid, Ended ended, QObject *parent)
    : QObject(parent), m_pid(pid), m_pidFd(openProcessDescriptor(pid)), m_ended(std::move(ended))
{
    if (m_pidFd >= 0) {
        auto *notifier = new QSocketNotifier(m_pidFd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &ChildWatch::reapIfEnded);
    } else {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, &ChildWatch::reapIfEnded);
        poll->start(PollIntervalMs);
    }
}

ChildWatch::~ChildWatch()
{
    if (m_pidFd >= 0)
        ::close(m_pidFd);
}

void ChildWatch::reapIfEnded()
{
    // Already reaped; the report may hold a modal box open meanwhile.
    if (!m_ended)
        return;
    int status = 0;
    pid_t reaped = 0;
    do
        reaped = ::waitpid(m_pid, &status, WNOHANG);
    while (reaped < 0 && errno == EINTR);
    if (reaped == 0)
        return;
    // Gone without a status to read (reaped elsewhere): counted as a failure.
    if (reaped < 0)
        status = W_EXITCODE(127, 0);
    deleteLater();
    std::exchange(m_ended, {})(status);
}
