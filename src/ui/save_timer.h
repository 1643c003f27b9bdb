#pragma once

#include "core/save_schedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Runs the save schedule on the event loop: noting a change only (re)starts
// a timer, and due() comes when the changes noted so far should be written.
class SaveTimer : public QObject {
    Q_OBJECT
public:
    explicit SaveTimer(QObject *parent = nullptr);

    void noteChange();
    // Everything noted so far is stored; nothing is due until the next change.
    void saved();

Q_SIGNALS:
    void due();

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    SaveSchedule m_schedule;
};
