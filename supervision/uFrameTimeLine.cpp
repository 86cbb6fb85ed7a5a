#include "supervision/uFrameTimeLine.h"

#include <algorithm>

void TFrameTimeLine::Start(qint64 wallUs, qint64 monotonicUs)
{
    m_wallMinusMonotonic = wallUs - monotonicUs;
    m_stampToMonotonic.reset();
    m_drainJoin.reset();
    m_drainUs = monotonicUs;
    m_latestUs = monotonicUs;
}

qint64 TFrameTimeLine::FrameRead(quint64 stampUs, qint64 readMonotonicUs)
{
    // No frame is read before it is stamped, so the frame that waited least in the queue
    // joins the two clocks best: the last of each drain. The join moves between drains only,
    // so that a drain's frames keep their spacing.
    if (readMonotonicUs != m_drainUs) {
        m_drainUs = readMonotonicUs;
        if (m_drainJoin)
            m_stampToMonotonic = std::min(*m_stampToMonotonic, *m_drainJoin);
        m_drainJoin.reset();
    }
    qint64 us = readMonotonicUs;
    if (stampUs != 0) {
        const qint64 stamp = qint64(stampUs);
        const qint64 join = readMonotonicUs - stamp;
        if (!m_stampToMonotonic)
            m_stampToMonotonic = join;
        us = stamp + *m_stampToMonotonic;
        // A clock that runs back or leaps ahead is another adapter's.
        if (us < m_latestUs - JumpUs || us > readMonotonicUs + JumpUs) {
            m_stampToMonotonic = join;
            us = readMonotonicUs;
        }
        m_drainJoin = std::min(m_drainJoin.value_or(join), join);
    }
    m_latestUs = std::max(m_latestUs, us);
    return At(m_latestUs);
}
