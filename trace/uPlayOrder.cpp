#include "trace/uPlayOrder.h"

#include <algorithm>

namespace {

// latestUs - ReorderUs without passing qint64's limit.
qint64 OpenFrom(qint64 latestUs)
{
    return latestUs < TPlayOrder::NoTime + TPlayOrder::ReorderUs ? TPlayOrder::NoTime
                                                                 : latestUs - TPlayOrder::ReorderUs;
}

}  // namespace

// The heap puts the greatest on top: with this order, the earliest, the first of equal times.
bool TPlayOrder::Later(const THeld &a, const THeld &b)
{
    return a.PlaceUs != b.PlaceUs ? a.PlaceUs > b.PlaceUs : a.Sequence > b.Sequence;
}

qint64 TPlayOrder::PlaceInTime(qint64 timeUs, qint64 latestUs)
{
    return std::max(timeUs, OpenFrom(latestUs));
}

void TPlayOrder::Restart(qint64 latestUs, qint64 fromUs)
{
    m_held.clear();
    m_latestUs = latestUs;
    m_fromUs = m_dueUs = fromUs;
}

void TPlayOrder::Push(const TTraceFrame &frame, qint64 sequence)
{
    const qint64 placeUs = PlaceInTime(frame.TimeUs, m_latestUs);
    m_latestUs = std::max(m_latestUs, frame.TimeUs);
    if (placeUs < m_fromUs)
        return;  // before where the replay was moved to
    m_held.push_back({placeUs, sequence, frame});
    std::push_heap(m_held.begin(), m_held.end(), Later);
}

std::optional<TPlayOrder::TPlayed> TPlayOrder::Pop(bool ended)
{
    if (m_held.empty()
        || (!ended && m_held.size() < MostHeld && m_held.front().PlaceUs > OpenFrom(m_latestUs)))
        return std::nullopt;
    std::pop_heap(m_held.begin(), m_held.end(), Later);
    const TTraceFrame frame = m_held.back().Frame;
    m_held.pop_back();
    m_dueUs = std::max(m_dueUs, frame.TimeUs);
    return TPlayed{frame, m_dueUs};
}
