#pragma once

#include "core/launch_messages.h"

#include <QString>
#include <functional>

class MessageBox;
struct Platform;
class QWidget;

// Opens target with the desktop's handler. A failure is told in the words of
// the family, and only while `window` is still open: the outcome may come
// long after the user has moved on, or after the program began to close.
// `started` runs, on the same terms, once the handler has the target.
void launchAndReport(const Platform &platform, const QString &target, LaunchFamily family,
                     QWidget *window, std::function<void()> started = {});

void reportLaunchFailure(MessageBox &messages, LaunchResult result, LaunchFamily family);
