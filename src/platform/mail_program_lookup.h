#pragma once

#include "core/send_description.h"

#include <functional>

// Finds out which program the desktop opens "mailto:" links with.
class MailProgramLookup {
public:
    using Found = std::function<void(const DesktopMailProgram &program)>;

    virtual ~MailProgramLookup() = default;

    // Returns at once; found runs on the user-interface thread when the
    // answer is known.
    virtual void lookUp(Found found) = 0;
};
