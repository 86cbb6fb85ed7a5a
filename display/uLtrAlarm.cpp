#include "display/uLtrAlarm.h"

#include "log/uLogFormat.h"

#include <cmath>

bool TLtrAlarm::CheckLtrAlarm(double ltr, int position)
{
    const bool alarm = std::abs(ltr) > Threshold(position);  // equal to the threshold is none
    if (alarm != LtrAlarmActive)
        Report(alarm, ltr, position);
    if (alarm) {
        LtrAlarmActive = true;
        if (!m_timer.IsRunning()) {
            m_sound.Play();
            m_timer.Start();
        }
        return true;
    }
    m_timer.Stop();
    LtrAlarmActive = false;
    return false;
}

// With the value and the threshold as the log writes numbers, the value to the decimals shown.
void TLtrAlarm::Report(bool alarm, double ltr, int position) const
{
    if (m_events)
        m_events->DriveEventOccurred(
            alarm ? DriveEvent::LtrAlarmOn : DriveEvent::LtrAlarmOff,
            QStringLiteral("LTR %1, threshold %2")
                .arg(LogNumber(ltr, 3), LogNumber(Threshold(position), 1)));
}

void TLtrAlarm::TimerLTRTimer(bool sensorOnline)
{
    if (LtrAlarmActive && sensorOnline)
        m_sound.Play();
}
