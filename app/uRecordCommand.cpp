#include "app/uRecordCommand.h"

#include "acquisition/uHealthText.h"
#include "adapter/uBusSpeeds.h"
#include "app/uCommands.h"
#include "app/uRecordOptions.h"
#include "app/uRecorder.h"
#include "app/uStopSignals.h"
#include "session/uCanBackend.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

const QString Command = QStringLiteral("record");

// The window's health line follows the recording's own counters. Its "lost" are samples that
// never came over the bus; the records a failing file took are told apart as "not written".
QString ProgressLine(const TRecordCounts &counts, double framesPerSecond,
                     const TAcquisition &acquisition)
{
    return QStringLiteral("%1 samples, %2 records written, %3 not written, %4 frames/s · %5")
        .arg(counts.Samples)
        .arg(counts.Records)
        .arg(counts.NotWritten)
        .arg(qRound(framesPerSecond))
        .arg(HealthText(acquisition).Line);
}

// The progress line redrawn in place; only where a person watches, a log file gets none.
class TProgressLine
{
public:
    explicit TProgressLine(const TCommandStreams &streams)
        : m_err(streams.Err), m_shown(streams.ErrIsTerminal)
    {
    }

    void Draw(const QString &line)
    {
        if (!m_shown)
            return;
        // Blanks over what a longer line before left behind.
        m_err << '\r' << line.leftJustified(m_width) << Qt::flush;
        m_width = int(line.size());
    }
    // Other output starts on a line of its own.
    void End()
    {
        if (m_width > 0)
            m_err << '\n';
        m_width = 0;
    }

private:
    QTextStream &m_err;
    const bool m_shown;
    int m_width = 0;
};

}  // namespace

int RunRecordCommand(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const TCommandStreams streams{out, err, StandardErrorIsTerminal()};
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Logs a drive without a window: the CSV log and its raw trace, from\n"
                       "unit 1's first sample, until SIGINT, SIGTERM or SIGHUP or for --seconds."));
    AddRecordOptions(parser);
    if (const std::optional<int> exitCode =
            ParseCommandArguments(parser, Command, arguments, streams))
        return *exitCode;
    TRecordOptions options;
    QString error;
    if (!ReadRecordOptions(parser, &options, &error))
        return UsageError(streams, Command, error);

    TCanBackend backend;
    TCanBackend::Parse(options.Backend, backend);
    backend.Drops = options.Drops;
    backend.Use();

    TProgressLine progress(streams);
    const TClock clock;
    TRecorder recorder(clock, options);
    recorder.OnMessage = [&](const QString &line) {
        progress.End();
        err << line << '\n' << Qt::flush;
    };
    recorder.OnProgress = [&](const TRecordCounts &counts, double framesPerSecond) {
        progress.Draw(ProgressLine(counts, framesPerSecond, recorder.Session.Acquisition));
    };
    recorder.OnFinished = [](int exitCode) { QCoreApplication::exit(exitCode); };
    const TStopSignals stopSignals([&] { recorder.Finish(ExitCode::Done); });

    if (!recorder.Start(&error)) {
        err << "telqar-logger record: " << error << '\n';
        return ExitCode::Failed;
    }
    err << "recording from " << options.Backend << " at "
        << BusSpeeds::BitRateOfCode(options.Baudrate) / 1000.0
        << " kbit/s; the log starts when unit 1 (" << recorder.Session.Acquisition.State.CanId1
        << ") is heard" << Qt::endl;
    const int exitCode = QCoreApplication::exec();
    progress.End();
    err << recorder.Summary() << Qt::flush;
    return exitCode;
}
