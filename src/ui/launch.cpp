#include "ui/launch.h"

#include "platform/platform.h"

#include <QPointer>
#include <QWidget>

void launchAndReport(const Platform &platform, const QString &target, LaunchFamily family,
                     QWidget *window, std::function<void()> started)
{
    MessageBox &messages = platform.messages;
    const QPointer<QWidget> guard(window);
    platform.launcher.open(target, [&messages, family, guard, started = std::move(started)](LaunchResult result) {
        if (!guard || !guard->isVisible())
            return;
        reportLaunchFailure(messages, result, family);
        if (result == LaunchResult::Started && started)
            started();
    });
}

void reportLaunchFailure(MessageBox &messages, LaunchResult result, LaunchFamily family)
{
    if (const auto error = launchErrorFor(result, family))
        messages.show(error->text, error->title, MessageStyle::Error);
}
