#pragma once

#include <QtGlobal>

// Decides when the text has just grown past the recommended length: once per
// rise, so that typing on past the limit does not nag, and again only after
// the text has come back down to the limit.
class OverLimitWatch {
public:
    static constexpr qsizetype RecommendedLength = 200;

    // Takes the latest count; true exactly when it has just risen past the
    // limit.
    bool risesPast(qsizetype count)
    {
        const bool wasOver = m_over;
        m_over = count > RecommendedLength;
        return m_over && !wasOver;
    }

private:
    bool m_over = false;
};
