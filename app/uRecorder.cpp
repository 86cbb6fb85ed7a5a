#include "app/uRecorder.h"

#include "acquisition/uHealthText.h"
#include "app/uCommands.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

TRecorder::TRecorder(const TClock &clock, const TRecordOptions &options)
    : Session(clock), m_clock(clock), m_options(options)
{
    Session.Log.LogFileName = options.Base;
    options.Units.ApplyTo(Session.Acquisition.State, Session.Log);
    Session.LogFromFirstSample();
    Session.OnLogStarted = [this] {
        m_logStarted = true;
        ReportLogFiles();
    };
    Session.OnLogStartFailed = [this](const QString &error) { m_startFailure = error; };
    Session.OnDriveEvent = [this](const char *event, const QString &details) {
        if (qstrcmp(event, DriveEvent::AdapterLost) == 0
            || qstrcmp(event, DriveEvent::AdapterRestored) == 0)
            Report(QStringLiteral("%1: %2").arg(QLatin1String(event), details));
    };
    Session.Log.OnSideFileStopped = [this](const QString &message) { Report(message); };
    Session.OnLogFailed = [this](const QString &error) { LogFailed(error); };
    Session.OnCanTick = [this](int frames) { AfterCanTick(frames); };
    Session.OnDisplayTick = [this] { AfterDisplayTick(); };
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
    Session.CanBaudrate = m_options.Baudrate;
    if (!Session.Connect()) {
        *error = OpenFailure();
        return false;
    }
    if (!MakeLogFolder(error)) {
        Session.Disconnect();
        return false;
    }
    m_startMs = m_progressMs = m_clock.MonotonicMs();
    Session.StartTicks();
    return true;
}

// As mkdir -p would: "-o logs/run.csv" must work in a fresh folder. Made once the channel is
// open, so that a channel that cannot be opened leaves nothing behind, and before the first
// sample, so that a folder that cannot be made fails the command at once. The user is told, as
// a folder appears that they did not make themselves.
bool TRecorder::MakeLogFolder(QString *error)
{
    const QString folder = QFileInfo(m_options.Base).path();
    if (QFileInfo(folder).isDir())
        return true;
    const QString shown = QDir::toNativeSeparators(folder + u'/');
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make the folder %1 for the log").arg(shown);
        return false;
    }
    Report(QStringLiteral("made the folder %1 for the log").arg(shown));
    return true;
}

QString TRecorder::OpenFailure() const
{
    return QStringLiteral("cannot open the CAN channel %1: %2")
        .arg(m_options.Backend, Session.Acquisition.Link().Problem());
}

TRecordCounts TRecorder::Counts() const
{
    TRecordCounts counts = m_counts;
    counts.Samples = Session.SamplesLogged();
    return counts;
}

// The log holds unit 1's complete samples from the first one until the log closed; the
// supervision counts every sample heard, complete or not, until the channel closed. The two
// differ when a file failed before the end or by samples left incomplete, which is said
// rather than left for the user to puzzle over.
QString TRecorder::Summary() const
{
    const TRecordCounts counts = Counts();
    const TAcquisition &acquisition = Session.Acquisition;
    QString text =
        m_logStarted ? QStringLiteral("recorded: %1 samples of unit 1, %2 records written, %3 not "
                                      "written, %4 frames read\n")
                           .arg(counts.Samples)
                           .arg(counts.Records)
                           .arg(counts.NotWritten)
                           .arg(counts.Frames)
                     : QStringLiteral("recorded: no log, %1 frames read\n").arg(counts.Frames);
    text += QStringLiteral("on the bus: %1\n").arg(SupervisionSummary(acquisition));
    const qint64 notLogged = acquisition.Supervision.Unit(1).Samples - counts.Samples;
    if (m_logStarted && notLogged > 0)
        text += QStringLiteral("not in the log: %1 of unit 1's samples on the bus; the log "
                               "holds only complete samples, from the first until it closed\n")
                    .arg(notLogged);
    return text;
}

void TRecorder::TimerCanTimer()
{
    if (!m_finished)
        Session.TimerCanTimer();
}

void TRecorder::Timer1Timer()
{
    if (!m_finished)
        Session.Timer1Timer();
}

void TRecorder::AfterCanTick(int frames)
{
    m_counts.Frames += frames;
    if (m_finished)
        return;
    TakeWrittenRecords();
    // Only a backend that fails to finish connecting closes the channel in a drain.
    if (!Session.Acquisition.ChannelOpen())
        Fail(OpenFailure());
    else if (!m_startFailure.isEmpty())
        Finish(ExitCode::Failed);  // which says why
}

void TRecorder::AfterDisplayTick()
{
    if (m_finished)
        return;
    TakeWrittenRecords();
    if (!Session.Acquisition.ChannelOpen()) {
        Fail(QStringLiteral("connection lost: no sample of unit 1 for more than 15 s"));
        return;
    }
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
    Session.StopTicks();
    if (Session.Acquisition.ChannelOpen())
        m_counts.Frames += Session.Acquisition.Drain();
    if (Session.Log.LogActive()) {
        QString error;
        if (Session.StopLogging(&error)) {
            m_counts.Records = Session.Log.LogRecordNo;
        } else {
            TakeWrittenRecords();
            m_counts.NotWritten += Session.Log.LogRecordNo - m_counts.Records;
            m_exitCode = ExitCode::Failed;
            Report(error);
        }
    }
    if (Session.Acquisition.ChannelOpen())
        Session.Disconnect();
    if (!m_startFailure.isEmpty()) {
        m_exitCode = ExitCode::Failed;
        Report(m_startFailure);
    } else if (!m_logStarted) {
        // In the test protocol a unit may send motion frames whose status frames never come.
        const bool heard = Session.Acquisition.Supervision.Unit(1).Seen;
        Report(QStringLiteral("no log: unit 1 (%1) %2")
                   .arg(Session.Acquisition.State.CanId1,
                        heard ? QStringLiteral("sent no complete sample")
                              : QStringLiteral("was not heard")));
    }
    if (OnFinished)
        OnFinished(m_exitCode);
}

void TRecorder::ReportLogFiles()
{
    Report(QStringLiteral("log: %1").arg(Session.Log.FileName()));
    if (!Session.Log.RawTraceName().isEmpty())
        Report(QStringLiteral("raw trace: %1").arg(Session.Log.RawTraceName()));
    Report(QStringLiteral("events: %1").arg(Session.Log.EventsRecordName()));
}

// Taken is what the writer has written.
void TRecorder::TakeWrittenRecords()
{
    m_counts.Records = std::max(m_counts.Records, Session.Log.RecordsWritten());
}

// A file that fails ends the log, as in the window, and with it the recording: what is on
// disk stays, the records it had not taken yet are lost.
void TRecorder::LogFailed(const QString &error)
{
    TakeWrittenRecords();
    m_counts.NotWritten += Session.Log.LogRecordNo - m_counts.Records;
    Fail(error);
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
        OnProgress(Counts(), framesPerSecond);
}
