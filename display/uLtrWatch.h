#pragma once
// The LTR alarm as the program runs it: unit 1's LTR against the threshold the user set,
// decided at each display tick and at once when the threshold moves, the sound repeated by
// its own 3 s timer.

#include "display/uLtrAlarm.h"
#include "protocol/uSensorData.h"

#include <QTimer>

class TLtrWatch
{
public:
    static constexpr int RepeatMs = 3000;

    // state: whose unit 1 is watched; events: told when the alarm comes on and goes off (null
    // for nowhere). Both must outlive this.
    TLtrWatch(const TAcquisitionState &state, TAlarmSound &sound, TEventSink *events);

    // Track bar position 0..10, the threshold in tenths.
    int Position = TLtrAlarm::DefaultPosition;

    // Decides the alarm for unit 1's LTR afresh; whether it holds.
    bool CheckLtrAlarm();
    // Whether the alarm holds, and the threshold, for the events record of a log just started.
    void ReportState() const;
    bool LtrAlarmActive() const { return m_alarm.LtrAlarmActive; }
    // While the alarm holds, what every page shows of it: "LTR 0,540 > 0,5", a negative LTR
    // against the negative threshold; empty otherwise.
    QString AlarmSign() const;
    void TimerLTRTimer();

    QTimer TimerLTR;  // repeats the sound

private:
    const TAcquisitionState &m_state;
    TQtAlarmTimer m_timer{TimerLTR};
    TLtrAlarm m_alarm;
};
