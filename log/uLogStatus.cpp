#include "log/uLogStatus.h"

#include "base/uElapsedText.h"
#include "log/uLogFormat.h"
#include "log/uLogSession.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

QString Size(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// The file with its folder, short: "~/logs/run_001_….csv" under the home folder.
QString NameInFolder(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString home = QDir::homePath();
    const QString shown = absolute.startsWith(home + u'/')
                              ? QStringLiteral("~") + absolute.mid(home.size())
                              : absolute;
    return QDir::toNativeSeparators(shown);
}

}  // namespace

TLogStatus RunningLogStatus(const QString &path, qint64 runningMs, qint64 records, qint64 logBytes,
                            qint64 traceBytes)
{
    QString text = QStringLiteral("Logging to %1 · %2 · %3 records · %4")
                       .arg(NameInFolder(path), ElapsedText(double(runningMs) / 1000.0))
                       .arg(records)
                       .arg(Size(logBytes));
    if (traceBytes >= 0)
        text += QStringLiteral(", raw trace %1").arg(Size(traceBytes));
    return {text, QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())};
}

TLogStatus NextLogStatus(const QString &baseName, qint32 nextIndex, const QString &ended)
{
    // The start time is not known yet: the name shows where it goes.
    QString name = LogFileNameFor(baseName, nextIndex, QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    name.replace(QStringLiteral("20000101_000000"), QStringLiteral("DATE_TIME"));
    const QString next = QStringLiteral("Next log: %1").arg(NameInFolder(name));
    return {ended.isEmpty() ? next : QStringLiteral("%1 · %2").arg(ended, next),
            QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath())};
}

TLogStatus LogStatus(const TLogSession &log, qint64 nowMs, const QString &ended)
{
    if (!log.LogActive())
        return NextLogStatus(log.LogFileName, log.LogFileIndex + 1, ended);
    const QString &trace = log.RawTraceName();
    return RunningLogStatus(log.FileName(), nowMs - log.StartedMs, log.LogRecordNo,
                            QFileInfo(log.FileName()).size(),
                            trace.isEmpty() ? -1 : QFileInfo(trace).size());
}
