#pragma once

#include "core/launch_messages.h"

#include <QString>
#include <functional>

// Opens a document or URL with the desktop's default handler.
class Launcher {
public:
    using Done = std::function<void(LaunchResult result)>;

    virtual ~Launcher() = default;

    // Returns at once; done runs on the user-interface thread when the
    // outcome is known.
    virtual void open(const QString &target, Done done) = 0;
};
