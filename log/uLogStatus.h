#pragma once
// The status bar's word on the log, on every page: while one runs, its file, how long it has
// run, its records and the size of it and its raw trace; otherwise where the next one goes,
// after what ended the last one when something other than Stop did.

#include <QString>

class TLogSession;

struct TLogStatus {
    QString Text;
    QString ToolTip;  // the full path
};

// traceBytes: below 0 when the log keeps no raw trace.
TLogStatus RunningLogStatus(const QString &path, qint64 runningMs, qint64 records, qint64 logBytes,
                            qint64 traceBytes);
// The next log of this base name and running number; ended: what ended the last log, empty
// when Stop did.
TLogStatus NextLogStatus(const QString &baseName, qint32 nextIndex, const QString &ended);

// The log's state now: the running log's, read off the session and its files on disk, or the
// next one's. nowMs: the monotonic clock the log started by.
TLogStatus LogStatus(const TLogSession &log, qint64 nowMs, const QString &ended);
