#include "session/uProgramSession.h"

TProgramSession::TProgramSession(const TClock &clock)
    : Acquisition(clock), Log(clock), Speed(Acquisition), m_clock(clock)
{
    Acquisition.AddSink(*this);  // first: a log it starts holds the sample
    Acquisition.AddSink(Log);
    Acquisition.SetFrameTap(&Log);
    Acquisition.SetEventSink(this);
    Speed.Events = &Log;
    Acquisition.OnChannelChanged = [this](bool open) {
        if (open)
            TimerCan.start();
        else
            TimerCan.stop();
        if (OnChannelChanged)
            OnChannelChanged(open);
    };
    TimerCan.setInterval(CanTickMs);
    Timer1.setInterval(DisplayTickMs);
    TimerCan.setObjectName(QStringLiteral("TimerCan"));
    Timer1.setObjectName(QStringLiteral("Timer1"));
    QObject::connect(&TimerCan, &QTimer::timeout, [this] { TimerCanTimer(); });
    QObject::connect(&Timer1, &QTimer::timeout, [this] { Timer1Timer(); });
}

TProgramSession::~TProgramSession() = default;

void TProgramSession::WatchLtr(TAlarmSound &sound)
{
    m_ltr = std::make_unique<TLtrWatch>(Acquisition.State, sound, &Log);
}

void TProgramSession::ApplySettings(const TSettings &settings)
{
    Acquisition.State.CanId1 = settings.CanId1;
    Acquisition.State.CanId2 = settings.CanId2;
    Acquisition.State.CanId3 = settings.CanId3;
    Acquisition.State.ChassisCanId = settings.ChassisCanId;
    Acquisition.State.ProtocolEnv = settings.ProtocolEnv;
    Log.SetBaseName(settings.LogFileName);
    TCanBackend chosen;
    if (settings.CanBackend == Adapter.Text() || !TCanBackend::Parse(settings.CanBackend, chosen)
        || !chosen.TraceFile.isEmpty())
        return;
    chosen.Drops = Adapter.Drops;
    chosen.Use();
    Adapter = chosen;
}

TSettings TProgramSession::Settings(int baudrateIndex) const
{
    const TAcquisitionState &state = Acquisition.State;
    return {baudrateIndex,      state.CanId1,      state.CanId2,    state.CanId3,
            state.ChassisCanId, state.ProtocolEnv, Log.LogFileName, Adapter.Text()};
}

bool TProgramSession::StartLogging(QString *error)
{
    if (!Log.StartLogging(Acquisition.State, m_clock.Read(), error))
        return false;
    Speed.ReportState();
    if (m_ltr)
        m_ltr->ReportState();
    return true;
}

bool TProgramSession::StopLogging(QString *error)
{
    Acquisition.ReportHeldEvents();
    if (Log.LogActive())
        LastLog = Log.FileName();
    return Log.StopLogging(error);
}

void TProgramSession::StopTicks()
{
    TimerCan.stop();
    Timer1.stop();
}

void TProgramSession::TimerCanTimer()
{
    if (!Acquisition.ChannelOpen())
        return;
    const int frames = Acquisition.Drain();
    // The records of this tick go to the file now: a crash then costs only what the adapter
    // still holds, not also what waits for the display tick.
    FlushLog();
    if (OnCanTick)
        OnCanTick(frames);
}

void TProgramSession::Timer1Timer()
{
    Acquisition.RunWatchdogs();
    if (m_ltr)
        m_ltr->CheckLtrAlarm();
    FlushLog();
    if (OnDisplayTick)
        OnDisplayTick();
}

// A flush that fails (a full disk, a pulled stick) ends the log cleanly and is told once.
void TProgramSession::FlushLog()
{
    QString error;
    if (!Log.LogActive() || Log.Flush(m_clock.MonotonicMs(), &error))
        return;
    if (OnLogFailed)
        OnLogFailed(error);
}

// A failure to start is told after the drain, which must not be entered again from here.
void TProgramSession::SampleComplete(const TAcquisitionState &, const TSampleMoment &)
{
    if (m_logFromFirstSample && !m_firstSampleSeen) {
        m_firstSampleSeen = true;
        QString error;
        if (Log.StartLoggingWithThisSample(Acquisition.State, m_clock.Read(), &error)) {
            if (OnLogStarted)
                OnLogStarted();
        } else if (OnLogStartFailed) {
            OnLogStartFailed(error);
        }
    }
    if (Log.LogActive())
        ++m_samplesLogged;
}

void TProgramSession::DriveEventOccurred(const char *event, const QString &details)
{
    Log.DriveEventOccurred(event, details);
    if (OnDriveEvent)
        OnDriveEvent(event, details);
}
