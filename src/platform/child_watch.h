#pragma once

#include <QObject>
#include <functional>
#include <sys/types.h>

// Waits for a child process without blocking the event loop and reaps it
// whenever it ends, then deletes itself. Deleted first (with its parent),
// it leaves the child alone and says nothing: a child still running is then
// reaped by init once this process has ended.
class ChildWatch final : public QObject {
public:
    using Ended = std::function<void(int waitStatus)>;

    ChildWatch(pid_t pid, Ended ended, QObject *parent);
    ~ChildWatch() override;

private:
    void reapIfEnded();

    pid_t m_pid;
    int m_pidFd = -1;
    Ended m_ended;
};
