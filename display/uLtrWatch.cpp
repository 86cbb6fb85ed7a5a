#include "display/uLtrWatch.h"

#include "base/uNumberFormat.h"

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

QString TLtrWatch::AlarmSign() const
{
    if (!LtrAlarmActive())
        return {};
    const double ltr = m_state.Sensors[1].LTR;
    const double threshold = TLtrAlarm::Threshold(Position);
    return ltr < 0 ? QStringLiteral("LTR %1 < %2").arg(FormatFixed(ltr, 3), FormatFixed(-threshold, 1))
                   : QStringLiteral("LTR %1 > %2").arg(FormatFixed(ltr, 3), FormatFixed(threshold, 1));
}
