#pragma once
// The two watchdogs of an open channel: a silent chassis zeroes the vehicle speed, a silent
// unit 1 drops the connection.

#include "protocol/uSensorData.h"

// When the program last began to listen. A stall of its own thread (a slow disk, a frozen
// dialog, a suspended process) is no silence of the bus: the frames sent meanwhile wait in the
// receive queue, so the watchdogs count only the time since the stall ended.
struct TListening {
    static constexpr qint64 StallMs = 1000;  // the display tick is 100 ms
    qint64 LastTickMs = -1;
    qint64 SinceMs = 0;
};
// Called at every display tick, before the watchdogs. rate: how fast the clock runs (a
// replay's speed), since a tick then spans that much more of it.
void NoteDisplayTick(TListening &listening, qint64 nowMs, double rate = 1.0);

// Armed only while unit 1 is online. Elapsed times are whole seconds on the monotonic clock,
// counted from the later of the last frame and the start of listening.
struct TWatchdogVerdict {
    bool ZeroSpeed = false;       // production: no chassis frame for more than 5 s
    bool ConnectionLost = false;  // no unit-1 sample for more than 15 s
};
TWatchdogVerdict CheckWatchdogs(const TAcquisitionState &state, const TListening &listening,
                                qint64 nowMs);
