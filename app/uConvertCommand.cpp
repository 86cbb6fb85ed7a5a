#include "app/uConvertCommand.h"

#include "app/uProgressBar.h"
#include "app/uUnitOptions.h"
#include "log/uTraceConversion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

const QString Command = QStringLiteral("convert");

bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a), second(b);
    return first.absoluteFilePath() == second.absoluteFilePath()
           || (first.exists() && second.exists()
               && first.canonicalFilePath() == second.canonicalFilePath());
}

// "drive.log:17: damaged line, passed over" for each kept number, then how many in all.
void ReportDamage(const TTraceReader &reader, const QString &trace, QTextStream &err)
{
    const QString name = QDir::toNativeSeparators(trace);
    for (const qint64 line : reader.DamagedLines())
        err << name << ':' << line << ": damaged line, passed over\n";
    if (reader.DamagedCount() > reader.DamagedLines().size())
        err << name << ": " << reader.DamagedCount() - reader.DamagedLines().size()
            << " more damaged lines passed over\n";
    err << name << ": " << reader.DamagedCount() << " damaged lines in all\n";
    err.flush();
}

}  // namespace

int RunConvertCommand(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunConvertCommand(arguments, {out, err, StandardErrorIsTerminal()});
}

int RunConvertCommand(const QStringList &arguments, const TCommandStreams &streams)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the measurement log (CSV) that the frames of a raw trace make:\n"
                       "a candump log, a Vector ASC trace or a PCAN-View trace (.trc), told by\n"
                       "its first lines. Damaged lines are passed over and named on standard\n"
                       "error; the CSV and how many records it holds are told on standard output.\n"
                       "Exit codes: 0 done; 1 the trace could not be read, or the CSV exists\n"
                       "or could not be written; 2 wrong command line; 3 done, but damaged\n"
                       "lines were passed over."));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("The CSV to write (the trace's name with .csv); never an existing file\n"
                       "unless --force."),
        QStringLiteral("OUT.csv"));
    const QCommandLineOption force(
        QStringLiteral("force"),
        QStringLiteral("Replace the CSV if it exists; it is replaced only once the new one\n"
                       "is whole."));
    parser.addOptions({output, force});
    AddUnitOptions(parser);
    parser.addPositionalArgument(QStringLiteral("TRACE"), QStringLiteral("The raw trace."));

    if (const std::optional<int> exitCode =
            ParseCommandArguments(parser, Command, arguments, streams))
        return *exitCode;
    const QStringList traces = parser.positionalArguments();
    if (traces.size() != 1)
        return UsageError(streams, Command,
                          traces.isEmpty() ? QStringLiteral("no trace given")
                                           : QStringLiteral("one trace at a time"));
    const QString trace = traces.first();
    const QString csv = parser.isSet(output) ? parser.value(output)
                                             : BesideWithSuffix(trace, QStringLiteral(".csv"));
    if (SameFile(csv, trace))
        return UsageError(streams, Command,
                          QStringLiteral("the CSV would replace the trace %1; name "
                                         "another with -o")
                              .arg(QDir::toNativeSeparators(trace)));
    TUnitOptions units;
    QString error;
    if (!ReadUnitOptions(parser, &units, &error))
        return UsageError(streams, Command, error);
    // The CSV beside a drive's trace is that drive's own log, which no conversion may take.
    if (!parser.isSet(force) && QFileInfo::exists(csv))
        return CommandFailed(streams, Command,
                             QStringLiteral("%1 exists and is kept; name another CSV with "
                                            "-o OUT.csv, or replace it with --force")
                                 .arg(QDir::toNativeSeparators(csv)));

    TTraceReader reader;
    if (!reader.Open(trace, &error))
        return CommandFailed(streams, Command, error);
    TAcquisitionState state;
    TLogSession log;
    units.ApplyTo(state, log);

    std::optional<TProgressBar> bar;
    if (streams.ErrIsTerminal && reader.Size() >= ConvertProgressFromBytes)
        bar.emplace(streams.Err, QDir::toNativeSeparators(trace));
    const auto progress = [&] {
        if (bar)
            bar->Show(reader.BytesRead(), reader.Size());
    };
    const bool converted = ConvertTrace(reader, csv, state, log, progress, &error);
    if (bar)
        bar->Finish();
    if (reader.DamagedCount() > 0)
        ReportDamage(reader, trace, streams.Err);
    if (!converted)
        return CommandFailed(streams, Command, error);
    // Where the CSV went, also when a default chose it; on standard output, for a script to
    // read, and one line whatever the output is.
    streams.Out << QDir::toNativeSeparators(csv) << ": " << log.LogRecordNo
                << (log.LogRecordNo == 1 ? " record\n" : " records\n") << Qt::flush;
    return reader.DamagedCount() > 0 ? ExitCode::Damaged : ExitCode::Done;
}
