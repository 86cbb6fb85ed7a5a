#include "trace/uRecentFrames.h"

#include <algorithm>

namespace {

bool SameIdentifier(const TPCANMsg &a, const TPCANMsg &b)
{
    return a.ID == b.ID
           && (a.MSGTYPE & PCAN_MESSAGE_EXTENDED) == (b.MSGTYPE & PCAN_MESSAGE_EXTENDED);
}

}  // namespace

void TRecentFrames::Note(const TPCANMsg &message, qint64 timeUs)
{
    m_lastUs = timeUs;
    const auto same = std::find_if(m_seen.begin(), m_seen.end(), [&](const TSeen &seen) {
        return SameIdentifier(seen.Message, message);
    });
    if (same != m_seen.end()) {
        *same = {message, timeUs};
    } else if (m_seen.size() < MostIdentifiers) {
        m_seen.push_back({message, timeUs});
    } else {
        *std::min_element(m_seen.begin(), m_seen.end(), [](const TSeen &a, const TSeen &b) {
            return a.TimeUs < b.TimeUs;
        }) = {message, timeUs};
    }
}

std::vector<TRecentFrames::TSeen> TRecentFrames::Lately() const
{
    std::vector<TSeen> lately;
    std::copy_if(m_seen.begin(), m_seen.end(), std::back_inserter(lately),
                 [this](const TSeen &seen) { return m_lastUs - seen.TimeUs <= LatelyUs; });
    std::stable_sort(lately.begin(), lately.end(),
                     [](const TSeen &a, const TSeen &b) { return a.TimeUs < b.TimeUs; });
    return lately;
}
