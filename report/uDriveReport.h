#pragma once
// One drive's report as words and numbers: the log and its events record read back, the
// threshold the alarm ran with, the extremes. The page draws what these give.

#include "report/uDriveEvents.h"
#include "report/uDriveLog.h"
#include "report/uDriveSummary.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

struct TDriveReport {
    QString FileName;  // of the log or trace, without folder
    TDriveLog Log;
    TDriveEvents Events;
    TDriveSummary Summary;
    double Threshold = DefaultThreshold;
    QString ThresholdFrom;  // where the threshold comes from, in the page's words

    static constexpr double DefaultThreshold = 0.5;
};

// The threshold is the one the alarm events name; else the given one, else the default.
// False with the reader's message when the file is not a log.
bool ReadDriveReport(const QString &logPath, std::optional<double> givenThreshold,
                     TDriveReport *report, QString *error);

using TReportField = std::pair<QString, QString>;  // label, value
QList<TReportField> ReportHead(const TDriveReport &report);
// The extremes: a header row, then a row per value (value, magnitude, when, speed then).
QList<QStringList> ExtremesTable(const TDriveReport &report);
// The counts below the extremes: time above the threshold, alarms, requests, source changes.
QList<TReportField> ReportCounts(const TDriveReport &report);
// The events with their times, the first `shown` of them, then how many more there are.
QStringList ReportEvents(const TDriveReport &report, int shown = 50);
