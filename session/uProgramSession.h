#pragma once
// One run of the program, the window's and a recording's alike: the channel and the units'
// samples with their supervision, the log and its files, the speed the program puts on the
// bus, the LTR alarm, and the program's two ticks. The CAN tick (50 ms, while the channel is
// open) drains the adapter and hands the new records to the files; the display tick (100 ms)
// runs the watchdogs and the alarm and hands the files what is left. Whoever shows the state
// is told after each tick.

#include "acquisition/uAcquisition.h"
#include "base/uClock.h"
#include "display/uLtrWatch.h"
#include "log/uLogControl.h"
#include "log/uLogSession.h"
#include "session/uCanBackend.h"
#include "settings/uSettings.h"
#include "speed/uSpeedSource.h"

#include <QTimer>

#include <functional>
#include <memory>

class TProgramSession : public TLogControl, private TSampleSink, private TEventSink
{
public:
    static constexpr int CanTickMs = 50;
    static constexpr int DisplayTickMs = 100;

    explicit TProgramSession(const TClock &clock);
    ~TProgramSession() override;

    TAcquisition Acquisition;
    TLogSession Log;  // also where the drive's events go
    TSpeedSource Speed;

    // From now on the LTR alarm runs with this sound, which must outlive this; a recording
    // runs none.
    void WatchLtr(TAlarmSound &sound);
    TLtrWatch *Ltr() const { return m_ltr.get(); }
    // The log starts with unit 1's first sample and holds it, as Start is possible only once
    // unit 1 has been heard: a recording logs its drive from the first sample.
    void LogFromFirstSample() { m_logFromFirstSample = true; }
    // Samples of unit 1 completed while a log ran.
    qint64 SamplesLogged() const { return m_samplesLogged; }

    // The adapter in use. Whoever starts the program installs its device factory (a test its
    // own fake), so it may be left empty.
    TCanBackend Adapter;

    // The identifiers, protocol and log name of the settings, from the next sample and Start on;
    // another adapter from the next Connect on, the way the bus speed changes.
    void ApplySettings(const TSettings &settings);
    // The settings in force; the bus speed is the caller's.
    TSettings Settings(int baudrateIndex) const;

    TPCANBaudrate CanBaudrate = 0;  // the bus speed of the next Connect
    bool Connect() { return Acquisition.Connect(CanBaudrate); }
    void Disconnect() { Acquisition.Disconnect(); }
    // The state in force goes into the new events record.
    bool StartLogging(QString *error) override;
    // Events held back by their limits go into the events record before it closes.
    bool StopLogging(QString *error) override;
    // The log stopped last in this run, for its report; empty before.
    QString LastLog;

    // The display tick runs from now on, the CAN tick while the channel is open.
    void StartTicks() { Timer1.start(); }
    void StopTicks();
    // The ticks; the timers call them, tests call them with a fake clock.
    void TimerCanTimer();
    void Timer1Timer();
    QTimer TimerCan;
    QTimer Timer1;

    // Each may be left empty.
    std::function<void(bool open)> OnChannelChanged;
    std::function<void(int frames)> OnCanTick;  // after the tick, with the frames it read
    std::function<void()> OnDisplayTick;
    // A file failed and ended the log; what is on disk stays.
    std::function<void(const QString &error)> OnLogFailed;
    // The log that LogFromFirstSample starts has started, or could not start.
    std::function<void()> OnLogStarted;
    std::function<void(const QString &error)> OnLogStartFailed;
    // An event of the channel or the bus, after the events record took it.
    std::function<void(const char *event, const QString &details)> OnDriveEvent;

private:
    void SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment) override;
    void DriveEventOccurred(const char *event, const QString &details) override;
    void FlushLog();

    const TClock &m_clock;
    std::unique_ptr<TLtrWatch> m_ltr;
    bool m_logFromFirstSample = false;
    bool m_firstSampleSeen = false;
    qint64 m_samplesLogged = 0;
};
