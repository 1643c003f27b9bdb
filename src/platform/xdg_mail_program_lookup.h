#pragma once

#include "platform/mail_program_lookup.h"

#include <QObject>
#include <vector>

class QProcess;

// Asks `xdg-mime query default x-scheme-handler/mailto` for the desktop file
// and reads its name in the user's language from the XDG data folders. The
// answer takes a moment (xdg-mime may ask the desktop's own tools), so it
// runs alongside the event loop, reads a bounded answer, and gives up after
// a few seconds. Asks made while one runs share its answer.
class XdgMailProgramLookup final : public QObject, public MailProgramLookup {
    Q_OBJECT
public:
    explicit XdgMailProgramLookup(QObject *parent = nullptr);
    ~XdgMailProgramLookup() override;

    void lookUp(Found found) override;

private:
    void answer(QProcess *query, const DesktopMailProgram &program);

    QProcess *m_query = nullptr;
    std::vector<Found> m_waiting;
};
