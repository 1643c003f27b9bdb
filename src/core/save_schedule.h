#pragma once

#include <QtGlobal>
#include <algorithm>
#include <optional>

// Decides when the work is written in the background, so that a lost display
// or a crash costs at most the last few seconds of typing: once the changes
// have paused for a moment, and at the latest a few seconds after the first
// unsaved one, so that steady typing cannot put it off for ever. A write
// comes at least QuietMs after every change it follows, so writes are never
// closer together than that. Times are milliseconds on any steady clock.
class SaveSchedule {
public:
    static constexpr qint64 QuietMs = 2000;
    static constexpr qint64 LatestMs = 5000;

    void changed(qint64 now)
    {
        if (!m_unsaved)
            m_firstUnsaved = now;
        m_unsaved = true;
        m_lastChange = now;
    }

    // When the changes noted since the last write are due; none when there
    // are none.
    std::optional<qint64> dueAt() const
    {
        if (!m_unsaved)
            return std::nullopt;
        return std::min(m_lastChange + QuietMs, m_firstUnsaved + LatestMs);
    }

    void saved() { m_unsaved = false; }

private:
    bool m_unsaved = false;
    qint64 m_firstUnsaved = 0;
    qint64 m_lastChange = 0;
};
