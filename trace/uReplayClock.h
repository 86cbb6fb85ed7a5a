#pragma once
// The program's clock while a trace is replayed: the trace's own time, standing while the
// replay is paused, so that log times, the watchdogs and everything timed follow the drive as
// it was recorded.

#include "base/uClock.h"
#include "trace/uReplay.h"

class TReplayClock : public TClock
{
public:
    explicit TReplayClock(const TReplay &replay) : m_replay(replay) {}

    QDateTime LocalNow() const override
    {
        return QDateTime::fromMSecsSinceEpoch(m_replay.TraceTimeUs(SteadyUs()) / 1000);
    }
    qint64 MonotonicMs() const override { return m_replay.TraceTimeUs(SteadyUs()) / 1000; }
    double Rate() const override { return m_replay.Speed(); }
    bool FramesCarryTime() const override { return true; }

private:
    const TReplay &m_replay;
};
