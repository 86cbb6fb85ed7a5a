#include "log/uLogSession.h"

void TLogSession::FollowTicks(const TLogTicks &ticks)
{
    Units = {ticks.Unit2, ticks.Unit3};
    EveryThirtySecond = ticks.EveryThirtySecond;
}

bool TLogSession::StartLogging(TAcquisitionState &state, const QDateTime &start, QString *error)
{
    ++LogFileIndex;
    return StartLoggingTo(LogFileNameFor(LogFileName, LogFileIndex, start), state, start, error);
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
    return m_file.Close(error);
}

void TLogSession::SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment)
{
    if (ShouldWriteLogRecord(EveryThirtySecond, state.Sensors[1].FrameCounter))
        WriteLogRecord(state, moment.Time);
}

void TLogSession::WriteLogRecord(const TAcquisitionState &state, const QTime &time)
{
    if (!LogActive())
        return;
    ++LogRecordNo;
    m_file.Append(LogRecordLine(LogRecordNo, LogTime(time), state, m_units));
}

bool TLogSession::Flush(qint64 nowMs, QString *error)
{
    if (!LogActive() || m_file.Flush(nowMs, error))
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
