#pragma once
// The measurement log as the user runs it: the base name and running number of its files,
// Start and Stop, the record number, the "save every 32nd record" rule and the columns fixed
// at Start. It owns the open file; windows only show its state and report its messages.

#include "can/uSampleSink.h"
#include "can/uSensorData.h"
#include "log/uLogFormat.h"
#include "log/uMeasurementLog.h"
#include "settings/uSettings.h"

#include <QDateTime>
#include <QString>

class TLogSession : public TSampleSink
{
public:
    QString LogFileName = QStringLiteral("log.csv");  // base name, folder allowed
    qint32 LogFileIndex = 0;                          // +1 at each Start of this run
    qint32 LogRecordNo = 0;                           // number of the last record written
    bool EveryThirtySecond = false;                   // "save every 32nd record"
    TLogUnits Units;                                  // the unit blocks of the next file

    // The settings' ticks take effect at once.
    void FollowTicks(const TLogTicks &ticks);

    bool LogActive() const { return m_file.IsOpen(); }
    // The open file's path; empty while no log runs.
    const QString &FileName() const { return m_path; }

    // Opens the next file, named after the base, the running number and start; resets the
    // record number and the units' frame counters. Units are the columns of the whole file.
    // False with the message; the running number has advanced all the same.
    bool StartLogging(TAcquisitionState &state, const QDateTime &start, QString *error);
    // The same into a file of the caller's choosing, with the running number untouched.
    bool StartLoggingTo(const QString &path, TAcquisitionState &state, const QDateTime &start,
                        QString *error);
    // Closes the file. False with the message when the close failed; closed either way.
    bool StopLogging(QString *error);

    // A sample of unit 1 is complete: its record is written unless the 32nd-record rule
    // thins it away.
    void SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment) override;
    // Hands the written records to the file (nowMs on the monotonic clock). On failure the
    // log is closed and the message returned: what is on disk stays.
    bool Flush(qint64 nowMs, QString *error);

    // A new base name chosen in the settings starts the running number again.
    void SetBaseName(const QString &name);

    // The open file; tests put a failing device behind it.
    TMeasurementLog &File() { return m_file; }

private:
    void WriteLogRecord(const TAcquisitionState &state, const QTime &time);

    TMeasurementLog m_file;
    QString m_path;
    TLogUnits m_units;  // of the open file
};

// Whether a completed sample goes to the log: every one, or with "save every 32nd record"
// only those whose frame counter is a multiple of 32 (the counter restarts at Start).
bool ShouldWriteLogRecord(bool everyThirtySecond, int frameCounter);
