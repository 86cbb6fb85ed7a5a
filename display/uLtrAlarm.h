#pragma once
// The LTR alarm: red value and a warning sound, repeated every 3 s, while the magnitude of
// the reported LTR exceeds the threshold set on the track bar.

#include "base/uDriveEvents.h"

#include <QString>
#include <QTimer>

// The repetition timer and the sound are seams: the window gives a QTimer and a
// QSoundEffect, tests give fakes that count.
class TAlarmTimer
{
public:
    virtual ~TAlarmTimer() = default;
    virtual bool IsRunning() const = 0;
    virtual void Start() = 0;  // must not restart a running timer
    virtual void Stop() = 0;
};

class TAlarmSound
{
public:
    virtual ~TAlarmSound() = default;
    virtual void Play() = 0;  // asynchronous; cuts off a sound still playing
};

// The repetition on a QTimer of the caller's.
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

class TLtrAlarm
{
public:
    static constexpr int DefaultPosition = 5;  // track bar 0..10, tenths
    static double Threshold(int position) { return position / 10.0; }

    // events: told when the alarm comes on and when it goes off; null for none.
    TLtrAlarm(TAlarmTimer &timer, TAlarmSound &sound, TEventSink *events = nullptr)
        : m_timer(timer), m_sound(sound), m_events(events)
    {
    }

    // Decides the alarm afresh; returns whether it holds (the value is then shown red).
    bool CheckLtrAlarm(double ltr, int position);
    // Whether the alarm holds, for an events record that just began: the threshold in force
    // is the one later events are judged by.
    void ReportState(double ltr, int position) const { Report(LtrAlarmActive, ltr, position); }
    // The 3 s repetition: silent once unit 1 is no longer online.
    void TimerLTRTimer(bool sensorOnline);

    bool LtrAlarmActive = false;

private:
    void Report(bool alarm, double ltr, int position) const;

    TAlarmTimer &m_timer;
    TAlarmSound &m_sound;
    TEventSink *m_events;
};
