#include "app/ui/uReportCommand.h"

#include "app/uUnitOptions.h"
#include "log/uTraceConversion.h"
#include "report/ui/uReportWriter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString Command = QStringLiteral("report");

bool LooksLikeLog(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && BeginsAsLog(file.read(64));
}

// The log an opened raw trace's frames make, written into a folder of its own and read back.
bool ReadTraceReport(TTraceReader &reader, const QString &trace, const TUnitOptions &units,
                     std::optional<double> threshold, TDriveReport *report, QString *error)
{
    const QTemporaryDir folder;
    TAcquisitionState state;
    TLogSession log;
    units.ApplyTo(state, log);
    const QString csv = folder.filePath(QFileInfo(trace).completeBaseName() + ".csv");
    if (!ConvertTrace(reader, csv, state, log, {}, error)
        || !ReadDriveReport(csv, threshold, report, error))
        return false;
    report->FileName = QFileInfo(trace).fileName();
    return true;
}

}  // namespace

int RunReportCommand(const QStringList &arguments, const TCommandStreams &streams)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the report of a drive: its head and completeness, the whole\n"
                       "drive over time, the extremes and the events. From the measurement log\n"
                       "(with the events record beside it, where there is one) or from a raw\n"
                       "trace, decoded as convert decodes it. Needs no display."));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("The report to write: a PDF, or an image of its first page for a name "
                       "ending in .png (the log's name with .pdf)."),
        QStringLiteral("REPORT.pdf"));
    const QCommandLineOption threshold(
        QStringLiteral("threshold"),
        QStringLiteral("The LTR threshold where no alarm event of the events record names the "
                       "one the drive ran with (0.5)."),
        QStringLiteral("LTR"));
    parser.addOptions({output, threshold});
    AddUnitOptions(parser);
    parser.addPositionalArgument(QStringLiteral("LOG"),
                                 QStringLiteral("The measurement log (CSV) or a raw trace."));
    if (const std::optional<int> exitCode =
            ParseCommandArguments(parser, Command, arguments, streams))
        return *exitCode;
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1)
        return UsageError(streams, Command,
                          inputs.isEmpty() ? QStringLiteral("no log given")
                                           : QStringLiteral("one log at a time"));
    std::optional<double> given;
    if (parser.isSet(threshold)) {
        bool number = false;
        const double value = QString(parser.value(threshold)).replace(u',', u'.').toDouble(&number);
        if (!number || !(value > 0) || value > 1)
            return UsageError(streams, Command,
                              QStringLiteral("--threshold=%1: an LTR between 0 and 1")
                                  .arg(parser.value(threshold)));
        given = value;
    }
    TUnitOptions units;
    QString error;
    if (!ReadUnitOptions(parser, &units, &error))
        return UsageError(streams, Command, error);

    const QString input = inputs.first();
    const QString path = parser.isSet(output) ? parser.value(output)
                                              : BesideWithSuffix(input, QStringLiteral(".pdf"));
    TDriveReport report;
    TTraceReader trace;
    QString traceError;
    // An empty file would open as a trace without frames; it is told as no log instead.
    const bool read =
        LooksLikeLog(input) || QFileInfo(input).size() == 0 || !trace.Open(input, &traceError)
            ? ReadDriveReport(input, given, &report, &error)
            : ReadTraceReport(trace, input, units, given, &report, &error);
    if (!read)
        return CommandFailed(streams, Command,
                             QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(input), error));
    if (!WriteDriveReport(report, path, &error))
        return CommandFailed(streams, Command, error);
    const qsizetype samples = report.Log.Records.size();
    streams.Out << "report: " << QDir::toNativeSeparators(path) << " (" << samples
                << (samples == 1 ? " sample)\n" : " samples)\n") << Qt::flush;
    return ExitCode::Done;
}
