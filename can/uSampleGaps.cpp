#include "can/uSampleGaps.h"

#include <algorithm>

void TSampleGaps::Arrival(qint64 us)
{
    switch (m_period) {
    case TPeriod::Known:
        Judge(us);
        break;
    case TPeriod::Learning:
        m_learning.push_back(us);
        if (int(m_learning.size()) == MostLearningSamples
            || (int(m_learning.size()) > LearningIntervals
                && us - m_learning.front() >= LearningUs))
            Learn();
        break;
    case TPeriod::Untimed:
        break;
    }
}

void TSampleGaps::Learn()
{
    std::vector<qint64> intervals;
    intervals.reserve(m_learning.size());
    for (size_t i = 1; i < m_learning.size(); ++i)
        intervals.push_back(m_learning[i] - m_learning[i - 1]);
    const auto middle = intervals.begin() + qsizetype(intervals.size() / 2);
    std::nth_element(intervals.begin(), middle, intervals.end());
    m_periodUs = *middle;
    if (m_periodUs < ShortestPeriodUs) {
        m_period = TPeriod::Untimed;
        m_periodUs = 0;
    } else {
        m_period = TPeriod::Known;
        for (const qint64 us : m_learning)
            Judge(us);
    }
    m_learning = {};
}

void TSampleGaps::Judge(qint64 us)
{
    if (!m_heard) {
        m_heard = true;
        m_lastUs = us;
        return;
    }
    const qint64 interval = us - m_lastUs;
    const qint64 previousUs = m_lastUs;
    m_lastUs = us;
    if (m_pending.Count > 0 && 2 * interval < m_periodUs) {
        --m_pending.Count;
        ++m_late;
        return;
    }
    Flush();
    if (2 * interval > 3 * m_periodUs)
        m_pending = {(interval + m_periodUs / 2) / m_periodUs - 1, previousUs, us};
}

void TSampleGaps::Flush()
{
    if (m_pending.Count == 0)
        return;
    const TLostRun run = m_pending;
    m_pending = {};
    m_lost += run.Count;
    m_lastLossUs = run.ToUs;
    if (OnLoss)
        OnLoss(run);
}
