#pragma once
// The Qt side of the alarm's seams: the warning sound "alert.wav" (the working folder's, else
// the installed one), and the repetition timer.

#include "display/uLtrAlarm.h"

#include <QSoundEffect>
#include <QTimer>

class TAlertSound : public TAlarmSound
{
public:
    TAlertSound();
    void Play() override;

private:
    QSoundEffect m_effect;
};

class TQtAlarmTimer : public TAlarmTimer
{
public:
    explicit TQtAlarmTimer(QTimer &timer) : m_timer(timer) {}
    bool IsRunning() const override { return m_timer.isActive(); }
    void Start() override
    {
        if (!m_timer.isActive())
            m_timer.start();
    }
    void Stop() override { m_timer.stop(); }

private:
    QTimer &m_timer;
};
