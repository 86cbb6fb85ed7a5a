#pragma once
// The measurement log as the user runs it: the base name and running number of its files,
// Start and Stop, the record number, the "save every 32nd record" rule and the columns fixed
// at Start, the raw trace of the bus and the events record beside it. It owns the open files;
// windows only show its state and report its messages.

#include "base/uClock.h"
#include "base/uDriveEvents.h"
#include "log/uEventsRecord.h"
#include "log/uLogFormat.h"
#include "log/uLogTicks.h"
#include "log/uMeasurementLog.h"
#include "protocol/uFrameTap.h"
#include "protocol/uSampleSink.h"
#include "protocol/uSensorData.h"
#include "trace/uRecentFrames.h"

#include <QDateTime>
#include <QString>

#include <functional>

class TLogSession : public TSampleSink, public TFrameTap, public TEventSink
{
public:
    // Events are timed by the clock's local time; without one, by the computer's.
    TLogSession();
    explicit TLogSession(const TClock &clock);

    QString LogFileName = QStringLiteral("log.csv");  // base name, folder allowed
    qint32 LogFileIndex = 0;                          // +1 at each Start of this run
    qint32 LogRecordNo = 0;                           // number of the last record written
    bool EveryThirtySecond = false;                   // "save every 32nd record"
    bool KeepRawTrace = true;  // a raw trace beside each log, from the next Start on
    TLogUnits Units;           // the unit blocks of the next file

    // The settings' ticks take effect at once.
    void FollowTicks(const TLogTicks &ticks);

    bool LogActive() const { return m_file.IsOpen(); }
    qint64 StartedMs = 0;  // the clock's monotonic time of the running log's Start
    // Records of this log that its writer has written (of LogRecordNo).
    qint64 RecordsWritten() { return m_file.LinesWritten(); }
    // The open file's path; empty while no log runs.
    const QString &FileName() const { return m_path; }

    // Opens the next file, named after the base, the running number and start; resets the
    // record number and the units' frame counters. Units are the columns of the whole file.
    // With KeepRawTrace the raw trace opens beside it (RawTraceNameFor), each frame at the
    // time it is seen with (TFrameTap). It opens with the frames received lately
    // (TRecentFrames) but for those that complete a sample of unit 1: their samples came
    // before the log. The events record opens beside it (EventsRecordNameFor). False with the
    // message, and no file this Start created is left; the running number has advanced all
    // the same.
    bool StartLogging(TAcquisitionState &state, const TClockReading &start, QString *error);
    // The same, started while a sample of unit 1 is being completed, which the log then
    // holds as the first after Start: a recorder logs a drive from its first sample. The raw
    // trace opens with that sample's frames too.
    bool StartLoggingWithThisSample(TAcquisitionState &state, const TClockReading &start,
                                    QString *error);
    // The log alone into a file of the caller's choosing, with the running number untouched:
    // a conversion, whose trace holds the frames but none of the events.
    bool StartLoggingTo(const QString &path, TAcquisitionState &state, const QDateTime &start,
                        QString *error);
    // The raw trace's path; empty while none is written.
    const QString &RawTraceName() const { return m_tracePath; }
    // The events record's path; empty while no log runs.
    const QString &EventsRecordName() const { return m_eventsPath; }
    // Notes the stop and the records written in the events record and closes the files.
    // False with the message when a close failed; closed either way.
    bool StopLogging(QString *error);
    // Why the next StopLogging ends the log, for the events record, when not by Stop.
    QString StopReason;

    // A sample of unit 1 is complete: its record is written unless the 32nd-record rule
    // thins it away.
    void SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment) override;
    // A frame read or sent goes into the raw trace while one is written; a frame read is
    // remembered for the next trace's start.
    void FrameSeen(const TPCANMsg &message, bool sent, qint64 timeUs) override;
    // An event goes into the events record while a log runs; without a log it is dropped.
    void DriveEventOccurred(const char *event, const QString &details) override;
    // Hands the written records, trace lines and events to the files (nowMs on the monotonic
    // clock). When the log fails, all are closed and its message returned: what is on disk
    // stays. The log comes first: a raw trace or events record that fails stops alone, with an
    // entry in the events record while that can still be written, and OnSideFileStopped.
    bool Flush(qint64 nowMs, QString *error);
    // Told why the raw trace or the events record stopped while the log goes on.
    std::function<void(const QString &message)> OnSideFileStopped;

    // A new base name chosen in the settings starts the running number again.
    void SetBaseName(const QString &name);

    // The open files; tests put failing devices behind them.
    TMeasurementLog &File() { return m_file; }
    TMeasurementLog &RawTraceFile() { return m_trace; }
    TMeasurementLog &EventsRecordFile() { return m_events.File(); }

private:
    void WriteLogRecord(const TAcquisitionState &state, const QTime &time);

    // Which files a start opens, and whether the sample being completed is the log's first.
    struct TStartKind {
        bool RawTrace = false;
        bool EventsRecord = false;
        bool WithThisSample = false;
    };
    bool StartFiles(const QString &path, TAcquisitionState &state, const TClockReading &start,
                    const TStartKind &kind, QString *error);
    bool OpenLog(const QString &path, TAcquisitionState &state, const QDate &start, QString *error);
    bool StartRawTrace(const QString &path, const TAcquisitionState &state, bool withThisSample,
                       QString *error);
    bool OpenEventsRecord(const QString &path, QString *error);
    bool CloseFiles(QString *error);
    void AppendTraceLine(const TPCANMsg &message, bool sent, qint64 timeUs);
    void StopSideFile(TMeasurementLog &file, QString &path, const char *event,
                      const QString &failure);

    const TClock &m_clock;
    TMeasurementLog m_file;
    QString m_path;
    TEventsRecord m_events;
    QString m_eventsPath;
    TMeasurementLog m_trace{"\n", QStringLiteral("the raw trace")};
    QString m_tracePath;
    TRecentFrames m_recent;
    TLogUnits m_units;  // of the open file
};

// Whether a completed sample goes to the log: every one, or with "save every 32nd record"
// only those whose frame counter is a multiple of 32 (the counter restarts at Start).
bool ShouldWriteLogRecord(bool everyThirtySecond, int frameCounter);
