#include "supervision/uSampleGaps.h"

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
        m_lastUs = m_slotUs = us;
        m_stepUs = m_periodUs;
        return;
    }
    // The slot a sample falls in, counted from the last sample's. The slots follow the samples
    // slowly, so that jitter of up to half a period never moves a sample into another slot, and
    // a period learned slightly wrong does not add up.
    const qint64 offset = us - m_slotUs;
    // Halves round down: a gap of exactly one and a half periods holds no sample.
    const qint64 steps = offset > m_stepUs / 2 ? (offset + (m_stepUs - 1) / 2) / m_stepUs : 0;
    const qint64 previousUs = m_lastUs;
    m_lastUs = us;
    if (steps == 0) {
        // A second sample in one slot: one that came late after a gap, or one early before one.
        if (m_pending.Count > 0) {
            --m_pending.Count;
            ++m_late;
        } else {
            ++m_early;
        }
        return;
    }
    m_slotUs += steps * m_stepUs;
    const qint64 error = us - m_slotUs;
    m_slotUs += error / 4;
    // A median of intervals with drops among them is a little long: the step follows the
    // unit's own period.
    m_stepUs += error / (16 * steps);
    Flush();
    qint64 missing = steps - 1;
    const qint64 cameEarly = std::min(m_early, missing);
    m_early = 0;
    m_late += cameEarly;
    missing -= cameEarly;
    if (missing > 0)
        m_pending = {missing, previousUs, us};
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
