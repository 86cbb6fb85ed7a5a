#pragma once
// The events record beside a log, read back for the report: what happened during the drive,
// and the counts the report's head and table show.

#include "report/uDriveLog.h"

#include <QList>
#include <QString>

#include <optional>

struct TDriveEvent {
    QString Time;        // as written
    double Seconds = 0;  // on the log's time axis: since its first record
    QString Name;        // "LTR alarm on", "samples lost", …
    QString Details;
};

struct TDriveEvents {
    bool Known = false;  // there was an events record to read
    QList<TDriveEvent> Events;
    qint64 SamplesLost = 0;  // unit 1's, summed over the "samples lost" events
    qint64 Incomplete = 0;   // unit 1's incomplete samples, those held back in a later event too
    int AdapterOutages = 0;
    int Alarms = 0;  // "LTR alarm on" events
    int CalibrationRequests = 0;
    int SpeedSourceChanges = 0;
    std::optional<double> Threshold;  // the one the alarm events name
    // Each alarm from its "on" to its "off" event, in seconds of the log's time axis; one still
    // on at the end of the record lasts to the log's last record.
    QList<std::pair<double, double>> AlarmPeriods;
};

// The record's bytes, its times placed on the log's axis. Lines that are not events are
// passed over: the record only adds to the log.
TDriveEvents ReadDriveEvents(const QByteArray &bytes, const TDriveLog &log);
// The record beside the log at logPath, or an unknown one when there is none.
TDriveEvents ReadDriveEventsBeside(const QString &logPath, const TDriveLog &log);
