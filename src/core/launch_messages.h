#pragma once

#include <QString>
#include <optional>

// How handing a document or URL to the desktop's handler ended.
enum class LaunchResult {
    Started,        // the handler took it
    OutOfResources, // no process could be made (memory, process limit)
    BrokenProgram,  // the opener exists but cannot be run (damaged, not executable)
    Busy,           // the opener is being replaced right now (text file busy)
    Failed,         // missing opener, or it reported failure
};

// Whose words a failure is told in: the mail program's or the browser's.
enum class LaunchFamily { MailProgram, Browser };

struct LaunchError {
    QString text;
    QString title;
};

// The message for a launch result, or nothing when the handler was started.
std::optional<LaunchError> launchErrorFor(LaunchResult result, LaunchFamily family);
