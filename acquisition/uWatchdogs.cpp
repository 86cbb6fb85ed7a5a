#include "acquisition/uWatchdogs.h"

#include <algorithm>
#include <cstdlib>

void NoteDisplayTick(TListening &listening, qint64 nowMs, double rate)
{
    const double stallMs = TListening::StallMs * std::max(rate, 1.0);
    if (listening.LastTickMs >= 0 && double(std::abs(nowMs - listening.LastTickMs)) > stallMs)
        listening.SinceMs = nowMs;
    listening.LastTickMs = nowMs;
}

TWatchdogVerdict CheckWatchdogs(const TAcquisitionState &state, const TListening &listening,
                                qint64 nowMs)
{
    TWatchdogVerdict verdict;
    if (!state.SensorOnline)
        return verdict;
    // A frame later than now: the clock was set back (a replay moved back), and listening
    // began again then.
    const auto wholeSeconds = [nowMs, &listening](qint64 thenMs) {
        const qint64 from =
            thenMs > nowMs ? listening.SinceMs : std::max(thenMs, listening.SinceMs);
        return std::abs(nowMs - from) / 1000;
    };
    verdict.ZeroSpeed = state.ProtocolEnv == TProtocolEnv::peProduction
                        && wholeSeconds(state.Chassis.LastFrameTick) > 5;
    verdict.ConnectionLost = wholeSeconds(state.LastSensorFrameTick) > 15;
    return verdict;
}
