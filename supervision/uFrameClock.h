#pragma once
// The frames' own clock (the adapter's time stamps, µs) as one steady time line, and its
// relation to local time. The adapter's clock and the PC's run apart by an unknown offset:
// the smallest difference between a frame's read and its stamp over the last 10 to 20 s is
// taken for it, a frame being read after it is stamped, never before. A time line that jumps
// (a new adapter after a loss starts its own count) is joined again where local time says.

#include <QtGlobal>

#include <limits>

class TFrameClock
{
public:
    static constexpr qint64 OffsetWindowUs = 10'000'000;
    // A frame stamped this much before the latest, or after its own read, comes from another
    // clock: no adapter's clock runs backwards, none runs ahead of the PC by a second.
    static constexpr qint64 JumpUs = 1'000'000;

    bool Started() const { return m_started; }
    // A frame stamped frameUs, read at local time readLocalUs (µs since the epoch); returns
    // its moment on the time line.
    qint64 Place(qint64 frameUs, qint64 readLocalUs);
    // The time line's moment of a local time; only once started.
    qint64 FromLocal(qint64 localUs) const { return localUs - Offset(); }
    qint64 ToLocal(qint64 us) const { return us + Offset(); }

private:
    qint64 Offset() const { return std::min(m_previousMin, m_currentMin); }

    static constexpr qint64 None = std::numeric_limits<qint64>::max();
    bool m_started = false;
    qint64 m_shift = 0;   // added to the frames' stamps
    qint64 m_latest = 0;  // the latest frame's moment
    qint64 m_windowEnd = 0;
    qint64 m_currentMin = None;  // local minus frame time, this window
    qint64 m_previousMin = None;
};
