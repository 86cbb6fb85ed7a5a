#pragma once
// The measurement log's text: file names, head and record lines. A log is semicolon-separated,
// never quoted; numbers, dates and times are in Latin digits with the locale's separators and
// markers where Windows-1250 holds them (see uLogLocale.h), numbers never group their digits.

#include "protocol/uSensorData.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

// Which unit blocks a log carries; fixed when the log starts, so every line of a file has the
// columns of its head.
struct TLogUnits {
    bool Unit2 = false;
    bool Unit3 = false;
};

// base "log.csv", index 1, 2 January 2024 03:04:05 gives "log_001_20240102_030405.csv";
// a folder in the base is kept, an index above 999 takes four digits.
QString LogFileNameFor(const QString &base, qint32 index, const QDateTime &start);

// The raw trace beside a log: the log's path with the extension ".log" for its own; a log
// that is itself named ".log" gets a trace named ".can.log".
QString RawTraceNameFor(const QString &logPath);
// The events record beside a log: the log's path with ".events.csv" for its extension
// ("log_001_20240102_030405.events.csv"); a log without extension gets one added.
QString EventsRecordNameFor(const QString &logPath);
// The five head lines, without line ends; the date in the locale's short format with a
// four-digit year.
QStringList LogHead(const QDate &date, const QString &firmware, TLogUnits units,
                    const QLocale &locale = QLocale());

// The time of a record: the locale's long time format without the time-zone name, in Latin
// digits (see LogTimeFormat).
QString LogTime(const QTime &time, const QLocale &locale = QLocale());

// A number as the log's records write it, for texts beside them: fixed-point with the given
// decimals and the log's decimal separator.
QString LogNumber(double value, int decimals, const QLocale &locale = QLocale());

// One record line without its line end.
QString LogRecordLine(qint32 recordNo, const QString &time, const TAcquisitionState &state,
                      TLogUnits units, const QLocale &locale = QLocale());
