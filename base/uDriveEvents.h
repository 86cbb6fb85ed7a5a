#pragma once
// What happened during a drive besides the samples, for the events record kept beside each
// log: every subsystem reports its events to one sink, which stamps them with the program's
// clock. The names are the record's own texts, kept together here.

#include <QString>

namespace DriveEvent {

inline constexpr const char *LogStarted = "log started";
inline constexpr const char *LogStopped = "log stopped";
inline constexpr const char *RawTraceStopped = "raw trace stopped";
inline constexpr const char *LtrAlarmOn = "LTR alarm on";
inline constexpr const char *LtrAlarmOff = "LTR alarm off";
inline constexpr const char *CalibrationRequest = "calibration request";
inline constexpr const char *SpeedSource = "speed source";
inline constexpr const char *SamplesLost = "samples lost";
inline constexpr const char *IncompleteSample = "incomplete sample";
inline constexpr const char *BusError = "bus error";
inline constexpr const char *BusState = "bus state";
inline constexpr const char *AdapterLost = "adapter lost";
inline constexpr const char *AdapterRestored = "adapter restored";
inline constexpr const char *ReplayMovedBack = "replay moved back";

}  // namespace DriveEvent

class TEventSink
{
public:
    virtual ~TEventSink() = default;
    // event: one of the names above; details: free text for a person, without line breaks.
    virtual void DriveEventOccurred(const char *event, const QString &details) = 0;
};
