#pragma once
// What one pass over a trace learns, so that it can be played from its file: the span it plays
// over, its frames, and places to start reading from when the replay moves, one every few
// thousand frames. However long the trace, at most MostPlaces are kept: when they are full,
// every second one goes and the stride doubles.

#include "trace/uPlayOrder.h"
#include "trace/uReplaySource.h"

#include <functional>
#include <vector>

class TTraceIndex
{
public:
    static constexpr qint64 FirstStride = 4096;  // frames from one place to the next
    static constexpr size_t MostPlaces = 8192;
    static constexpr qint64 GoOnEvery = 65536;  // frames between two asks whether to go on

    struct TStart {
        TTracePlace Place;
        qint64 Frame = 0;                      // the number of the frame after it, from 0
        qint64 LatestUs = TPlayOrder::NoTime;  // of the frames before it
    };

    // Other than the defaults for tests only, which cannot read millions of frames.
    explicit TTraceIndex(qint64 firstStride = FirstStride, size_t mostPlaces = MostPlaces)
        : m_firstStride(firstStride), m_mostPlaces(mostPlaces)
    {
    }

    // Reads the source from its start, where it stands. goOn is asked now and then; false
    // stops the pass, and so does a failing read: false then, the source's Error() says which.
    bool Build(TReplaySource &source, const std::function<bool()> &goOn = {});

    qint64 Frames() const { return m_frames; }
    // Frames that came too late for their place in time, played at once.
    qint64 LateFrames() const { return m_late; }
    qint64 StartUs() const { return m_startUs; }  // the time the first frame is played at
    qint64 EndUs() const { return m_endUs; }      // the last
    qint64 Stride() const { return m_stride; }
    size_t Places() const { return m_starts.size(); }
    // The last place before which every frame is earlier than traceUs: reading from there
    // passes over nothing that plays at or after it.
    const TStart &StartFor(qint64 traceUs) const;

private:
    qint64 m_firstStride;
    size_t m_mostPlaces;
    std::vector<TStart> m_starts;
    qint64 m_stride = FirstStride;
    qint64 m_frames = 0;
    qint64 m_late = 0;
    qint64 m_startUs = 0;
    qint64 m_endUs = 0;
};
