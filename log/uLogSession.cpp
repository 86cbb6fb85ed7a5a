#include "log/uLogSession.h"

#include "can/uFrameDecoder.h"
#include "trace/uCandumpLine.h"

#include <QFile>
#include <QFileInfo>

void TLogSession::FollowTicks(const TLogTicks &ticks)
{
    Units = {ticks.Unit2, ticks.Unit3};
    EveryThirtySecond = ticks.EveryThirtySecond;
}

bool TLogSession::StartLogging(TAcquisitionState &state, const TClockReading &start, QString *error)
{
    ++LogFileIndex;
    const QString path = LogFileNameFor(LogFileName, LogFileIndex, start.Local);
    const bool appending = QFileInfo::exists(path);
    if (!StartLoggingTo(path, state, start.Local, error))
        return false;
    if (!KeepRawTrace || StartRawTrace(path, start, state, error))
        return true;
    // A Start that failed leaves no new log behind; one appended to keeps what it had.
    QString ignored;
    StopLogging(&ignored);
    if (!appending)
        QFile::remove(path);
    return false;
}

bool TLogSession::StartRawTrace(const QString &logPath, const TClockReading &start,
                                const TAcquisitionState &state, QString *error)
{
    const QString path = RawTraceNameFor(logPath);
    if (!m_trace.Open(path, {}, error))
        return false;
    m_tracePath = path;
    m_traceStartUs = start.Local.toMSecsSinceEpoch() * 1000;
    m_traceStartMs = start.MonotonicMs;
    for (const TRecentFrames::TSeen &seen : m_recent.Before(start.MonotonicMs))
        if (!CompletesUnit1Sample(seen.Message, state))
            AppendTraceLine(seen.Message, false, seen.MonotonicMs);
    return true;
}

bool TLogSession::StartLoggingTo(const QString &path, TAcquisitionState &state,
                                 const QDateTime &start, QString *error)
{
    LogRecordNo = 0;
    for (int unit = 1; unit <= 3; ++unit)
        state.Sensors[size_t(unit)].FrameCounter = 0;
    if (!m_file.Open(path, LogHead(start.date(), state.Sensors[1].Firmware, Units), error))
        return false;
    m_path = path;
    m_units = Units;
    return true;
}

bool TLogSession::StopLogging(QString *error)
{
    m_path.clear();
    m_tracePath.clear();
    QString traceError;
    const bool traceClosed = m_trace.Close(&traceError);
    if (!m_file.Close(error))
        return false;
    if (!traceClosed)
        *error = traceError;
    return traceClosed;
}

void TLogSession::SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment)
{
    if (ShouldWriteLogRecord(EveryThirtySecond, state.Sensors[1].FrameCounter))
        WriteLogRecord(state, moment.Time);
}

void TLogSession::FrameSeen(const TPCANMsg &message, bool sent, qint64 monotonicMs)
{
    if (!sent)
        m_recent.Note(message, monotonicMs);
    if (m_trace.IsOpen())
        AppendTraceLine(message, sent, monotonicMs);
}

void TLogSession::AppendTraceLine(const TPCANMsg &message, bool sent, qint64 monotonicMs)
{
    const qint64 timeUs = m_traceStartUs + (monotonicMs - m_traceStartMs) * 1000;
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
    if (!LogActive() || (m_file.Flush(nowMs, error) && m_trace.Flush(nowMs, error)))
        return true;
    QString ignored;
    StopLogging(&ignored);
    return false;
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
