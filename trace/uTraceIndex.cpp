#include "trace/uTraceIndex.h"

#include <algorithm>
#include <limits>

bool TTraceIndex::Build(TReplaySource &source, const std::function<bool()> &goOn)
{
    m_starts = {{source.Place(), 0, TPlayOrder::NoTime}};
    m_stride = m_firstStride;
    m_frames = m_late = m_startUs = m_endUs = 0;
    qint64 latestUs = TPlayOrder::NoTime;
    qint64 startUs = std::numeric_limits<qint64>::max();
    TTraceFrame frame;
    while (source.Next(frame)) {
        const qint64 placeUs = TPlayOrder::PlaceInTime(frame.TimeUs, latestUs);
        m_late += placeUs != frame.TimeUs;
        startUs = std::min(startUs, placeUs);
        latestUs = std::max(latestUs, frame.TimeUs);
        ++m_frames;
        if (m_frames % GoOnEvery == 0 && goOn && !goOn())
            return false;
        if (m_frames % m_stride != 0)
            continue;
        if (m_starts.size() >= m_mostPlaces) {
            std::vector<TStart> kept;
            kept.reserve(m_mostPlaces);
            for (size_t i = 0; i < m_starts.size(); i += 2)
                kept.push_back(std::move(m_starts[i]));
            m_starts = std::move(kept);
            m_stride *= 2;
        }
        if (m_frames % m_stride == 0)
            m_starts.push_back({source.Place(), m_frames, latestUs});
    }
    if (!source.Error().isEmpty())
        return false;
    m_startUs = m_frames > 0 ? startUs : 0;
    m_endUs = m_frames > 0 ? latestUs : 0;
    return true;
}

const TTraceIndex::TStart &TTraceIndex::StartFor(qint64 traceUs) const
{
    static const TStart None;
    if (m_starts.empty())
        return None;
    // The latest times before the places only grow; the first place has none before it.
    const auto after =
        std::partition_point(m_starts.begin() + 1, m_starts.end(),
                             [traceUs](const TStart &start) { return start.LatestUs < traceUs; });
    return *(after - 1);
}
