#include "supervision/uFrameClock.h"

#include <algorithm>

qint64 TFrameClock::Place(qint64 frameUs, qint64 readLocalUs)
{
    qint64 us = frameUs + m_shift;
    if (!m_started) {
        m_started = true;
        m_latest = us;
        m_windowEnd = us + OffsetWindowUs;
    } else {
        const qint64 expected = FromLocal(readLocalUs);
        if (us < m_latest - JumpUs || us > expected + JumpUs) {
            m_shift = expected - frameUs;
            us = expected;
        }
    }
    if (us >= m_windowEnd) {
        m_previousMin = m_currentMin;
        m_currentMin = None;
        m_windowEnd = us + OffsetWindowUs;
    }
    m_currentMin = std::min(m_currentMin, readLocalUs - us);
    m_latest = std::max(m_latest, us);
    return us;
}
