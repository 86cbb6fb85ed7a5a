#include "display/uLtrWatch.h"

TLtrWatch::TLtrWatch(const TAcquisitionState &state, TAlarmSound &sound, TEventSink *events)
    : m_state(state), m_alarm(m_timer, sound, events)
{
    TimerLTR.setObjectName(QStringLiteral("TimerLTR"));
    TimerLTR.setInterval(RepeatMs);
    QObject::connect(&TimerLTR, &QTimer::timeout, [this] { TimerLTRTimer(); });
}

bool TLtrWatch::CheckLtrAlarm()
{
    return m_alarm.CheckLtrAlarm(m_state.Sensors[1].LTR, Position);
}

void TLtrWatch::ReportState() const
{
    m_alarm.ReportState(m_state.Sensors[1].LTR, Position);
}

void TLtrWatch::TimerLTRTimer()
{
    m_alarm.TimerLTRTimer(m_state.SensorOnline);
}
