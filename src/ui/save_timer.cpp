#include "ui/save_timer.h"

SaveTimer::SaveTimer(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_clock.start();
    connect(&m_timer, &QTimer::timeout, this, &SaveTimer::due);
}

void SaveTimer::noteChange()
{
    const qint64 now = m_clock.elapsed();
    m_schedule.changed(now);
    m_timer.start(std::chrono::milliseconds(std::max<qint64>(0, *m_schedule.dueAt() - now)));
}

void SaveTimer::saved()
{
    m_schedule.saved();
    m_timer.stop();
}
