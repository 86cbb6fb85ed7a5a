#pragma once
// The time each frame is written with: the adapter's own stamp where it gives one, so that a
// queue drained at once keeps its frames' spacing, placed on the wall clock once per
// connection. The wall clock is read once, at Connect, and the time line runs on from there
// by the monotonic clock, so that a change of the wall clock during a drive never makes it
// run back; the adapter's clock is joined to the monotonic one by its first frame, and again
// when it jumps.

#include <QtGlobal>

#include <optional>

class TFrameTimeLine
{
public:
    // An adapter's clock that runs back or leaps ahead by this much is another clock (a new
    // adapter after a loss starts its own count); less back is jitter: the time line stands.
    static constexpr qint64 JumpUs = 1'000'000;

    // At Connect: the wall clock (µs since the epoch) and the monotonic clock (µs), read at
    // one moment.
    void Start(qint64 wallUs, qint64 monotonicUs);
    // A frame read at readMonotonicUs with the adapter's stamp (µs; 0 for a backend that
    // stamps nothing): its time in µs since the epoch, never before the last frame's.
    qint64 FrameRead(quint64 stampUs, qint64 readMonotonicUs);
    // A moment without a stamp of its own (a frame sent), in µs since the epoch.
    qint64 At(qint64 monotonicUs) const { return monotonicUs + m_wallMinusMonotonic; }

private:
    qint64 m_wallMinusMonotonic = 0;
    std::optional<qint64> m_stampToMonotonic;  // added to a stamp
    std::optional<qint64> m_drainJoin;         // the best join of this drain's frames
    qint64 m_drainUs = 0;                      // when this drain read, monotonic µs
    qint64 m_latestUs = 0;                     // monotonic µs of the latest frame
};
