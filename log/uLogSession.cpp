#include "log/uLogSession.h"

#include "protocol/uFrameDecoder.h"
#include "trace/uCandumpLine.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

const TClock &ComputerClock()
{
    static const TClock clock;
    return clock;
}

}  // namespace

TLogSession::TLogSession() : TLogSession(ComputerClock())
{
}

TLogSession::TLogSession(const TClock &clock) : m_clock(clock)
{
}

void TLogSession::FollowTicks(const TLogTicks &ticks)
{
    Units = {ticks.Unit2, ticks.Unit3};
    EveryThirtySecond = ticks.EveryThirtySecond;
}

bool TLogSession::StartLogging(TAcquisitionState &state, const TClockReading &start, QString *error)
{
    ++LogFileIndex;
    return StartFiles(LogFileNameFor(LogFileName, LogFileIndex, start.Local), state, start,
                      {KeepRawTrace, true, false}, error);
}

bool TLogSession::StartLoggingWithThisSample(TAcquisitionState &state, const TClockReading &start,
                                             QString *error)
{
    ++LogFileIndex;
    if (!StartFiles(LogFileNameFor(LogFileName, LogFileIndex, start.Local), state, start,
                    {KeepRawTrace, true, true}, error))
        return false;
    // Counted as the first sample after Start, as if Start had come just before its frame.
    state.Sensors[1].FrameCounter = 1;
    return true;
}

bool TLogSession::StartLoggingTo(const QString &path, TAcquisitionState &state,
                                 const QDateTime &start, QString *error)
{
    return StartFiles(path, state, start, {}, error);
}

// A Start that fails leaves no new file behind; a file appended to keeps what it had.
bool TLogSession::StartFiles(const QString &path, TAcquisitionState &state,
                             const TClockReading &start, const TStartKind &kind, QString *error)
{
    const QString tracePath = kind.RawTrace ? RawTraceNameFor(path) : QString();
    const QString eventsPath = kind.EventsRecord ? EventsRecordNameFor(path) : QString();
    QStringList created;
    for (const QString &file : {path, tracePath, eventsPath})
        if (!file.isEmpty() && !QFileInfo::exists(file))
            created << file;
    if (OpenLog(path, state, start.Local.date(), error)
        && (!kind.RawTrace || StartRawTrace(tracePath, state, kind.WithThisSample, error))
        && (!kind.EventsRecord || OpenEventsRecord(eventsPath, error))) {
        StartedMs = start.MonotonicMs;
        return true;
    }
    QString ignored;
    CloseFiles(&ignored);
    for (const QString &file : created)
        QFile::remove(file);
    return false;
}

bool TLogSession::StartRawTrace(const QString &path, const TAcquisitionState &state,
                                bool withThisSample, QString *error)
{
    if (!m_trace.Open(path, {}, error))
        return false;
    m_tracePath = path;
    for (const TRecentFrames::TSeen &seen : m_recent.Lately())
        if (withThisSample || !CompletesUnit1Sample(seen.Message, state))
            AppendTraceLine(seen.Message, false, seen.TimeUs);
    return true;
}

bool TLogSession::OpenLog(const QString &path, TAcquisitionState &state, const QDate &start,
                          QString *error)
{
    LogRecordNo = 0;
    for (int unit = 1; unit <= 3; ++unit)
        state.Sensors[size_t(unit)].FrameCounter = 0;
    if (!m_file.Open(path, LogHead(start, state.Sensors[1].Firmware, Units), error))
        return false;
    m_path = path;
    m_units = Units;
    return true;
}

bool TLogSession::OpenEventsRecord(const QString &path, QString *error)
{
    if (!m_events.Open(path, error))
        return false;
    m_eventsPath = path;
    DriveEventOccurred(DriveEvent::LogStarted, QFileInfo(m_path).fileName());
    return true;
}

bool TLogSession::StopLogging(QString *error)
{
    QString details = QStringLiteral("records: %1").arg(LogRecordNo);
    if (!StopReason.isEmpty())
        details += QStringLiteral(", %1").arg(StopReason);
    StopReason.clear();
    DriveEventOccurred(DriveEvent::LogStopped, details);
    return CloseFiles(error);
}

// Every file is closed; the first failure, the log's own before the others', is reported.
bool TLogSession::CloseFiles(QString *error)
{
    m_path.clear();
    m_tracePath.clear();
    m_eventsPath.clear();
    bool closed = true;
    for (TMeasurementLog *file : {&m_file, &m_trace, &m_events.File()}) {
        QString failure;
        if (!file->Close(&failure) && closed) {
            *error = failure;
            closed = false;
        }
    }
    return closed;
}

void TLogSession::DriveEventOccurred(const char *event, const QString &details)
{
    if (m_events.IsOpen())
        m_events.Write(m_clock.LocalNow().time(), event, details);
}

void TLogSession::SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment)
{
    if (ShouldWriteLogRecord(EveryThirtySecond, state.Sensors[1].FrameCounter))
        WriteLogRecord(state, moment.Time);
}

void TLogSession::FrameSeen(const TPCANMsg &message, bool sent, qint64 timeUs)
{
    if (!sent)
        m_recent.Note(message, timeUs);
    if (m_trace.IsOpen())
        AppendTraceLine(message, sent, timeUs);
}

void TLogSession::AppendTraceLine(const TPCANMsg &message, bool sent, qint64 timeUs)
{
    m_trace.AppendBytes(Candump::Line({timeUs, message, sent}));
}

void TLogSession::WriteLogRecord(const TAcquisitionState &state, const QTime &time)
{
    if (!LogActive())
        return;
    ++LogRecordNo;
    const QLocale locale;  // made once for the time and the numbers: a trace converts many
    m_file.Append(LogRecordLine(LogRecordNo, LogTime(time, locale), state, m_units, locale));
}

bool TLogSession::Flush(qint64 nowMs, QString *error)
{
    if (!LogActive())
        return true;
    if (!m_file.Flush(nowMs, error)) {
        QString ignored;
        StopLogging(&ignored);
        return false;
    }
    QString failure;
    if (!m_trace.Flush(nowMs, &failure))
        StopSideFile(m_trace, m_tracePath, DriveEvent::RawTraceStopped, failure);
    if (!m_events.Flush(nowMs, &failure))
        StopSideFile(m_events.File(), m_eventsPath, nullptr, failure);
    return true;
}

// The trace meets a file-size limit or a full disk long before the log: the log goes on.
void TLogSession::StopSideFile(TMeasurementLog &file, QString &path, const char *event,
                               const QString &failure)
{
    QString ignored;
    file.Close(&ignored);
    path.clear();
    if (event)
        DriveEventOccurred(event, failure);
    if (OnSideFileStopped)
        OnSideFileStopped(failure);
}

void TLogSession::SetBaseName(const QString &name)
{
    if (name == LogFileName)
        return;
    LogFileIndex = 0;
    LogFileName = name;
}

bool ShouldWriteLogRecord(bool everyThirtySecond, int frameCounter)
{
    return !everyThirtySecond || frameCounter % 32 == 0;
}
