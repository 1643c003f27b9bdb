#pragma once

#include <QString>
#include <optional>

// How handing a document or URL to the desktop's handler ended.
enum class LaunchResult {
    Started,        // the handler took it
    OutOfResources, // no process could be made (memory, process limit)
    BrokenProgram,  // the opener exists but cannot be run (damaged, not executable)
    Busy,           // the opener is being replaced right now (text file busy)
    TooLong,        // the target is longer than a command line may be (E2BIG)
    Failed,         // missing opener, or it reported failure
};

// Whose words a failure is told in.
enum class LaunchFamily {
    MailProgram,      // the desktop's mail program, on a "mailto:" URL
    UnsetMailProgram, // the same, when the desktop names no mail program
    ComposePage,      // a webmail's compose page in the browser
    Browser,          // a page of help or the home page in the browser
};

struct LaunchError {
    QString text;
    QString title;
};

// The message for a launch result, or nothing when the handler was started.
std::optional<LaunchError> launchErrorFor(LaunchResult result, LaunchFamily family);
