#pragma once
// An alarm sound that plays nothing and notes each time it is asked to play.

#include "display/uLtrAlarm.h"

#include <QList>

class TCountingSound : public TAlarmSound
{
public:
    // nowMs: the test's clock, read at each play; without one every play is noted at 0.
    explicit TCountingSound(const int *nowMs = nullptr) : m_nowMs(nowMs) {}
    void Play() override { Plays << (m_nowMs ? *m_nowMs : 0); }

    QList<int> Plays;  // the clock's ms at each play, oldest first

private:
    const int *m_nowMs;
};
