#pragma once
// The last frame of each identifier received lately. A trace started now opens with them: the
// values a log's first records show (the speed of the last chassis frame, the other units'
// last samples) rest on frames that came before Start, and a trace without them would not
// give the same records when converted or replayed.

#include "adapter/PCANBasic.h"

#include <vector>

class TRecentFrames
{
public:
    static constexpr size_t MostIdentifiers = 64;  // a busy bus must not grow it without bound
    static constexpr qint64 LatelyUs = 5'000'000;  // the speed watchdog's time

    struct TSeen {
        TPCANMsg Message;
        qint64 TimeUs = 0;  // the frame's time
    };

    void Note(const TPCANMsg &message, qint64 timeUs);
    // Those seen within LatelyUs before the last one noted, oldest first.
    std::vector<TSeen> Lately() const;

private:
    std::vector<TSeen> m_seen;
    qint64 m_lastUs = 0;
};
