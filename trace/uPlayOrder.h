#pragma once
// The order a trace is played in, read as it stands in its file. Tools that merge channels, or
// a clock joined again, leave frames slightly out of time order: within ReorderUs of the
// latest time read so far a frame still goes to its place in time, frames of one time keeping
// their order. A frame earlier than that (files joined out of order) is due at once, after the
// frames already played, and keeps its own time stamp. So the trace times at which frames fall
// due never run back, at most MostHeld frames wait however many share a moment, and the order
// depends only on the frames from the file's start: a replay that starts reading at a place
// of the file, with the latest time before it, plays on exactly as from the start.

#include "trace/uTraceFrame.h"

#include <limits>
#include <optional>
#include <vector>

class TPlayOrder
{
public:
    static constexpr qint64 ReorderUs = 1'000'000;
    static constexpr size_t MostHeld = 1 << 16;
    static constexpr qint64 NoTime = std::numeric_limits<qint64>::min();

    struct TPlayed {
        TTraceFrame Frame;
        qint64 DueUs = 0;  // the trace time it is played at
    };

    // Where a frame read after frames whose latest time was latestUs goes in time: its own
    // time, or the earliest still open for one that comes too late for it.
    static qint64 PlaceInTime(qint64 timeUs, qint64 latestUs);

    // Nothing held; reading goes on after frames whose latest time was latestUs (NoTime for
    // none), and what would be played before fromUs is passed over.
    void Restart(qint64 latestUs, qint64 fromUs);
    // The next frame read; sequence: its number in the file, for the order of equal times.
    void Push(const TTraceFrame &frame, qint64 sequence);
    // The next frame to play, once no frame read later can come before it; ended: none will.
    std::optional<TPlayed> Pop(bool ended);
    qint64 LatestUs() const { return m_latestUs; }

private:
    struct THeld {
        qint64 PlaceUs;
        qint64 Sequence;
        TTraceFrame Frame;
    };
    static bool Later(const THeld &a, const THeld &b);

    std::vector<THeld> m_held;  // a heap, earliest on top
    qint64 m_latestUs = NoTime;
    qint64 m_fromUs = NoTime;
    qint64 m_dueUs = NoTime;  // of the frame played last
};
