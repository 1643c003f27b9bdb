#pragma once

#include "core/settings.h"

#include <QString>

// The program the desktop opens "mailto:" links with, as far as it is known.
struct DesktopMailProgram {
    enum class State {
        Unknown, // not looked up yet, or the desktop would not say
        NoneSet, // the desktop has no program for "mailto:" links
        Named,
    };
    State state = State::Unknown;
    QString name; // in the user's language, when Named

    bool operator==(const DesktopMailProgram &) const = default;
};

// What the send action will open, as its tool tip and a screen reader say it:
// the mail program by name or the webmail, or, with no mail program set, where
// to choose a webmail instead.
QString sendDescription(SendTo sendTo, const DesktopMailProgram &program);

// The settings windows' words for what 送信 opens: the caption under the
// send choice and the two "fill in" check boxes of the send details.
struct SendCaptions {
    QString action;
    QString destination;
    QString subject;
};
SendCaptions sendCaptions(SendTo sendTo);
