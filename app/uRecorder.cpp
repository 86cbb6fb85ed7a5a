#include "app/uRecorder.h"

#include "app/uCommands.h"

#include <algorithm>

TRecorder::TRecorder(const TClock &clock, const TRecordOptions &options)
    : Acquisition(clock), Log(clock), m_clock(clock), m_options(options)
{
    Log.LogFileName = options.Base;
    options.Units.ApplyTo(Acquisition.State, Log);
    Acquisition.AddSink(*this);
    Acquisition.AddSink(Log);
    Acquisition.SetFrameTap(&Log);
    Acquisition.SetEventSink(this);
    Log.OnSideFileStopped = [this](const QString &message) { Report(message); };
    m_timerCan.setInterval(CanTickMs);
    m_timer1.setInterval(DisplayTickMs);
    QObject::connect(&m_timerCan, &QTimer::timeout, [this] { TimerCanTimer(); });
    QObject::connect(&m_timer1, &QTimer::timeout, [this] { Timer1Timer(); });
}

// Whoever watched may be gone by now: the files and the channel are closed without a word.
TRecorder::~TRecorder()
{
    OnMessage = nullptr;
    OnFinished = nullptr;
    Finish(m_exitCode);
}

bool TRecorder::Start(QString *error)
{
    if (!Acquisition.Connect(m_options.Baudrate)) {
        *error = OpenFailure();
        return false;
    }
    m_startMs = m_progressMs = m_clock.MonotonicMs();
    m_timerCan.start();
    m_timer1.start();
    return true;
}

QString TRecorder::OpenFailure() const
{
    return QStringLiteral("cannot open the CAN channel %1: %2")
        .arg(m_options.Backend, Acquisition.Link().Problem());
}

void TRecorder::TimerCanTimer()
{
    if (m_finished || !Acquisition.ChannelOpen())
        return;
    m_counts.Frames += Acquisition.Drain();
    // Only a backend that fails to finish connecting closes the channel in a drain.
    if (!Acquisition.ChannelOpen()) {
        Fail(OpenFailure());
        return;
    }
    if (!m_startFailure.isEmpty()) {
        Finish(ExitCode::Failed);  // which says why
        return;
    }
    FlushLog();
}

void TRecorder::Timer1Timer()
{
    if (m_finished)
        return;
    Acquisition.RunWatchdogs();
    if (!Acquisition.ChannelOpen()) {
        Fail(QStringLiteral("connection lost: no sample of unit 1 for more than 15 s"));
        return;
    }
    if (!FlushLog())
        return;
    const qint64 now = m_clock.MonotonicMs();
    if (now - m_progressMs >= ProgressEveryMs)
        ReportProgress(now);
    if (m_options.Seconds && now - m_startMs >= qint64(*m_options.Seconds) * 1000)
        Finish(ExitCode::Done);
}

void TRecorder::Finish(int exitCode)
{
    if (m_finished)
        return;
    m_finished = true;
    m_exitCode = exitCode;
    m_timerCan.stop();
    m_timer1.stop();
    if (Acquisition.ChannelOpen())
        m_counts.Frames += Acquisition.Drain();
    if (Log.LogActive()) {
        Acquisition.ReportHeldEvents();
        QString error;
        if (Log.StopLogging(&error)) {
            m_counts.Records = Log.LogRecordNo;
        } else {
            m_counts.Records = std::max(m_counts.Records, Log.RecordsWritten());
            m_counts.Lost += Log.LogRecordNo - m_counts.Records;
            m_exitCode = ExitCode::Failed;
            Report(error);
        }
    }
    if (Acquisition.ChannelOpen())
        Acquisition.Disconnect();
    if (!m_startFailure.isEmpty()) {
        m_exitCode = ExitCode::Failed;
        Report(m_startFailure);
    } else if (!m_logStarted) {
        Report(QStringLiteral("no log: unit 1 (%1) was not heard").arg(Acquisition.State.CanId1));
    }
    if (OnFinished)
        OnFinished(m_exitCode);
}

// Called before the log's own sink: the log starts with unit 1's first sample and holds it.
// A failure ends the recording after the drain, which must not be entered again from here.
void TRecorder::SampleComplete(const TAcquisitionState &, const TSampleMoment &)
{
    if (!m_logStarted && m_startFailure.isEmpty()) {
        m_logStarted =
            Log.StartLoggingWithThisSample(Acquisition.State, m_clock.Read(), &m_startFailure);
        if (m_logStarted)
            ReportLogFiles();
    }
    if (Log.LogActive())
        ++m_counts.Samples;
}

void TRecorder::DriveEventOccurred(const char *event, const QString &details)
{
    Log.DriveEventOccurred(event, details);
    if (qstrcmp(event, DriveEvent::AdapterLost) == 0
        || qstrcmp(event, DriveEvent::AdapterRestored) == 0)
        Report(QStringLiteral("%1: %2").arg(QLatin1String(event), details));
}

void TRecorder::ReportLogFiles()
{
    Report(QStringLiteral("log: %1").arg(Log.FileName()));
    if (!Log.RawTraceName().isEmpty())
        Report(QStringLiteral("raw trace: %1").arg(Log.RawTraceName()));
    Report(QStringLiteral("events: %1").arg(Log.EventsRecordName()));
}

// A file that fails ends the log, as in the window, and with it the recording: what is on
// disk stays, the records it had not taken yet are lost.
bool TRecorder::FlushLog()
{
    QString error;
    if (!Log.LogActive())
        return true;
    const bool flushed = Log.Flush(m_clock.MonotonicMs(), &error);
    // Taken is what the writer has written; a failure loses the rest.
    m_counts.Records = std::max(m_counts.Records, Log.RecordsWritten());
    if (flushed)
        return true;
    m_counts.Lost += Log.LogRecordNo - m_counts.Records;
    Fail(error);
    return false;
}

void TRecorder::Fail(const QString &message)
{
    Report(message);
    Finish(ExitCode::Failed);
}

void TRecorder::Report(const QString &message)
{
    if (OnMessage)
        OnMessage(message);
}

void TRecorder::ReportProgress(qint64 nowMs)
{
    const double framesPerSecond =
        double(m_counts.Frames - m_progressFrames) * 1000.0 / double(nowMs - m_progressMs);
    m_progressMs = nowMs;
    m_progressFrames = m_counts.Frames;
    if (OnProgress)
        OnProgress(m_counts, framesPerSecond);
}
