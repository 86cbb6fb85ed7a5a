#include "report/uDriveReport.h"

#include "base/uElapsedText.h"
#include "base/uNumberFormat.h"

#include "base/uConsts.h"

#include <QFileInfo>
#include <QLocale>
#include <QTime>

#include <cmath>

namespace {

QString Number(double value, int decimals)
{
    return FormatFixed(value, decimals);
}

// The clock time of a moment of the drive, from the first record's.
QString ClockText(const TDriveReport &report, double seconds)
{
    const int ofDay = int(std::fmod(report.Log.StartClock + seconds, 86400.0));
    return QTime(0, 0).addSecs(ofDay).toString(QStringLiteral("HH:mm:ss"));
}

QString Protocol(const TDriveLog &log)
{
    // Only the test protocol's units tell a firmware, and only it has more than one unit.
    return QString::fromUtf8(log.Units > 1 || !log.Firmware.isEmpty() ? Consts::TestProtocol
                                                                      : Consts::ProductionEnv);
}

QString Completeness(const TDriveReport &report)
{
    const TDriveEvents &events = report.Events;
    if (!events.Known)
        return QStringLiteral("not known (no events record beside the log)");
    return QStringLiteral("%1 samples lost, late not recorded, %2 incomplete, %3 adapter "
                          "outages")
        .arg(events.SamplesLost)
        .arg(events.Incomplete)
        .arg(events.AdapterOutages);
}

QStringList ExtremeRow(const TDriveReport &report, const QString &name, const TExtreme &extreme,
                       int decimals)
{
    if (!extreme.Found)
        return {name, QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("–")};
    return {name, Number(extreme.Value, decimals),
            QStringLiteral("%1 (%2)").arg(ClockText(report, extreme.Seconds),
                                          ElapsedText(extreme.Seconds)),
            Number(extreme.Speed, 1)};
}

QString CountOrUnknown(const TDriveEvents &events, int count)
{
    return events.Known ? QString::number(count) : QStringLiteral("not known");
}

}  // namespace

bool ReadDriveReport(const QString &logPath, std::optional<double> givenThreshold,
                     TDriveReport *report, QString *error)
{
    TDriveReport read;
    read.FileName = QFileInfo(logPath).fileName();
    if (!ReadDriveLogFile(logPath, &read.Log, error))
        return false;
    read.Events = ReadDriveEventsBeside(logPath, read.Log);
    if (read.Events.Threshold) {
        read.Threshold = *read.Events.Threshold;
        read.ThresholdFrom = QStringLiteral("as the alarm events name it");
    } else if (givenThreshold) {
        read.Threshold = *givenThreshold;
        read.ThresholdFrom = QStringLiteral("given with --threshold, no alarm event names one");
    } else {
        read.ThresholdFrom = QStringLiteral("the default, no alarm event names one");
    }
    read.Summary = SummariseDrive(read.Log.Records, read.Threshold);
    *report = std::move(read);
    return true;
}

QList<TReportField> ReportHead(const TDriveReport &report)
{
    const TDriveLog &log = report.Log;
    QList<TReportField> head{
        {QStringLiteral("Log"), report.FileName},
        {QStringLiteral("Date"), log.Date},
        {QStringLiteral("Start – end"), QStringLiteral("%1 – %2").arg(log.StartTime, log.EndTime)},
        {QStringLiteral("Duration"), ElapsedText(report.Summary.DurationSeconds)},
        {QStringLiteral("Firmware"), log.Firmware.isEmpty() ? QStringLiteral("–") : log.Firmware},
        {QStringLiteral("Protocol"), Protocol(log)},
        {QStringLiteral("Units"), QString::number(log.Units)},
        {QStringLiteral("Samples"), QString::number(log.Records.size())},
        {QStringLiteral("Completeness"), Completeness(report)},
        {QStringLiteral("LTR threshold"),
         QStringLiteral("%1 (%2)").arg(Number(report.Threshold, 2), report.ThresholdFrom)}};
    if (log.Heads > 1)
        head.append({QStringLiteral("Note"),
                     QStringLiteral("%1 logs appended to one file").arg(log.Heads)});
    if (log.LastLineCut)
        head.append({QStringLiteral("Note"), QStringLiteral("a line cut off at the end of a log was left out")});
    return head;
}

QList<QStringList> ExtremesTable(const TDriveReport &report)
{
    const TDriveSummary &summary = report.Summary;
    return {{QStringLiteral("Largest magnitude"), QStringLiteral("Value"),
             QStringLiteral("When (since start)"), QStringLiteral("Speed then [km/h]")},
            ExtremeRow(report, QStringLiteral("LTR"), summary.Ltr, 3),
            ExtremeRow(report, QStringLiteral("Tilt angle X [°]"), summary.TiltX, 2),
            ExtremeRow(report, QStringLiteral("Tilt angle Y [°]"), summary.TiltY, 2),
            ExtremeRow(report, QStringLiteral("Acceleration X [g]"), summary.AccX, 2),
            ExtremeRow(report, QStringLiteral("Acceleration Y [g]"), summary.AccY, 2)};
}

QList<TReportField> ReportCounts(const TDriveReport &report)
{
    const TDriveEvents &events = report.Events;
    return {{QStringLiteral("Time above the threshold"),
             ElapsedText(report.Summary.SecondsAboveThreshold)},
            {QStringLiteral("Alarms"), CountOrUnknown(events, events.Alarms)},
            {QStringLiteral("Calibration requests"),
             CountOrUnknown(events, events.CalibrationRequests)},
            {QStringLiteral("Speed-source changes"),
             CountOrUnknown(events, events.SpeedSourceChanges)}};
}

QStringList ReportEvents(const TDriveReport &report, int shown)
{
    const QList<TDriveEvent> &events = report.Events.Events;
    QStringList lines;
    for (qsizetype i = 0; i < events.size() && i < shown; ++i)
        lines
            << QStringLiteral("%1  %2  %3").arg(events[i].Time, events[i].Name, events[i].Details);
    if (events.size() > shown)
        lines << QStringLiteral("… and %1 more").arg(events.size() - shown);
    return lines;
}
