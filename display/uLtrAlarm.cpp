#include "display/uLtrAlarm.h"

#include <cmath>

bool TLtrAlarm::CheckLtrAlarm(double ltr, int position)
{
    if (std::abs(ltr) > Threshold(position)) {  // equal to the threshold is no alarm
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

void TLtrAlarm::TimerLTRTimer(bool sensorOnline)
{
    if (LtrAlarmActive && sensorOnline)
        m_sound.Play();
}
