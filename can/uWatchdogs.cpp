#include "can/uWatchdogs.h"

#include <algorithm>
#include <cstdlib>

void NoteDisplayTick(TListening &listening, qint64 nowMs)
{
    if (listening.LastTickMs >= 0 && std::abs(nowMs - listening.LastTickMs) > TListening::StallMs)
        listening.SinceMs = nowMs;
    listening.LastTickMs = nowMs;
}

TWatchdogVerdict CheckWatchdogs(const TAcquisitionState &state, const TListening &listening,
                                qint64 nowMs)
{
    TWatchdogVerdict verdict;
    if (!state.SensorOnline)
        return verdict;
    const auto wholeSeconds = [nowMs, &listening](qint64 thenMs) {
        return std::abs(nowMs - std::max(thenMs, listening.SinceMs)) / 1000;
    };
    verdict.ZeroSpeed = state.ProtocolEnv == TProtocolEnv::peProduction
                        && wholeSeconds(state.Chassis.LastFrameTick) > 5;
    verdict.ConnectionLost = wholeSeconds(state.LastSensorFrameTick) > 15;
    return verdict;
}
