#pragma once

class QCoreApplication;

// What the program says on the terminal before its window exists, in the
// user's language: Japanese under a ja_* locale, English otherwise.
namespace CommandLine {

// --help and --version are answered (and the program ended) before the
// window system is reached, so that they work without a display and never
// meet the instance lock.
void answerHelpOrVersion(int &argc, char *argv[]);

// Once QApplication has taken its own options (-platform, -style...) out:
// ends the program on an unknown option.
void refuseUnknownOptions(const QCoreApplication &app);

// True, after saying so, when no display is named for Qt's default platform.
bool noDisplayToShowOn(int argc, char *argv[]);

// Held while QApplication is built. Qt's X plugin, unable to reach the
// server DISPLAY names (":199", "garbage", an ssh session without X
// forwarding), ends the program with an abort and advice to reinstall Qt;
// this says in one line that the display could not be opened, and ends it
// with status 1. Messages of a start that goes on are let through as they came.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard &) = delete;
    DisplayFailureGuard &operator=(const DisplayFailureGuard &) = delete;
};

} // namespace CommandLine
