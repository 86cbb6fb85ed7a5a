#pragma once
// The last frame of each identifier received lately. A trace started now opens with them: the
// values a log's first records show (the speed of the last chassis frame, the other units'
// last samples) rest on frames that came before Start, and a trace without them would not
// give the same records when converted or replayed.

#include "can/PCANBasic.h"

#include <vector>

class TRecentFrames
{
public:
    static constexpr size_t MostIdentifiers = 64;  // a busy bus must not grow it without bound
    static constexpr qint64 LatelyMs = 5000;       // the speed watchdog's time

    struct TSeen {
        TPCANMsg Message;
        qint64 MonotonicMs = 0;
    };

    void Note(const TPCANMsg &message, qint64 monotonicMs);
    // Those seen within LatelyMs before nowMs, oldest first.
    std::vector<TSeen> Before(qint64 nowMs) const;

private:
    std::vector<TSeen> m_seen;
};
