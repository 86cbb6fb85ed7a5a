#include "app/uCommands.h"

#include "app/uCommandLine.h"
#include "app/uConvertCommand.h"
#include "app/uRecordCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

struct TCommand {
    const char *Name;
    const char *Summary;
    int (*Run)(const QStringList &arguments);  // null: it runs in the window program
};

constexpr std::array Commands{
    TCommand{"record", "logs a drive: the CSV log and its raw trace", RunRecordCommand},
    TCommand{"convert", "turns a raw trace into the CSV log its frames make", RunConvertCommand},
    TCommand{"report", "writes a drive's report (PDF, or PNG) from its log or raw trace",
             nullptr},
};

const TCommand *CommandNamed(const QString &name)
{
    for (const TCommand &command : Commands)
        if (name == QLatin1String(command.Name))
            return &command;
    return nullptr;
}

// A word that can only have been meant as a command: a typing error must not open the window
// instead. "d" stays the window's, as do "/D", "-d" and anything else it has always ignored.
bool LooksLikeCommand(const QString &argument)
{
    static const QRegularExpression word(QStringLiteral("^[a-z][a-z0-9-]+$"));
    return word.match(argument).hasMatch();
}

QString Usage()
{
    QString text;
    QTextStream out(&text);
    out << "Usage: telqar-logger [D] [--can=BACKEND]\n"
           "       telqar-logger COMMAND [options]\n"
           "       telqar-logger --help | --version\n"
           "\n"
           "Logs and shows TELQAR roll-angle units on a CAN bus.\n"
           "\n"
           "Without a command the window opens:\n"
           "  D              makes the CAN traffic window reachable (File > Log CAN)\n"
           "  --can=BACKEND  the adapter to start on (Settings change it): PLUGIN:INTERFACE\n"
           "                 of a QtSerialBus plugin (peakcan:usb0, socketcan:can0,\n"
           "                 virtualcan:can0; without --can=, the first adapter found),\n"
           "                 sim for the built-in simulated unit, or replay:FILE to play\n"
           "                 a recorded trace\n"
           "  --drop-every=N, --drop-burst=AT:COUNT\n"
           "                 with --can=sim: the simulated unit leaves out every Nth\n"
           "                 sample, or COUNT samples in a row from sample AT on\n"
           "\n"
           "Commands, without a window (telqar-logger COMMAND --help tells more):\n";
    for (const TCommand &command : Commands)
        out << "  " << QString::fromLatin1(command.Name).leftJustified(9) << ' ' << command.Summary
            << '\n';
    return text;
}

QString VersionLine()
{
    return QCoreApplication::applicationName() + QLatin1Char(' ')
           + QCoreApplication::applicationVersion();
}

}  // namespace

TLaunch ChooseLaunch(const QStringList &arguments)
{
    TLaunch launch;
    const auto first =
        std::find_if(arguments.begin(), arguments.end(),
                     [](const QString &argument) { return !IsNamedOption(argument); });
    if (first == arguments.end())
        return launch;
    if (*first == QLatin1String("--help") || *first == QLatin1String("-h")
        || *first == QLatin1String("-?"))
        launch.Kind = TLaunchKind::Help;
    else if (*first == QLatin1String("--version") || *first == QLatin1String("-v"))
        launch.Kind = TLaunchKind::Version;
    else if (CommandNamed(*first))
        launch.Kind = TLaunchKind::Command;
    else if (LooksLikeCommand(*first))
        launch.Kind = TLaunchKind::UnknownCommand;
    else
        return launch;
    launch.Command = *first;
    launch.Arguments = arguments;
    launch.Arguments.removeAt(first - arguments.begin());
    return launch;
}

bool RunsInWindowProgram(const TLaunch &launch)
{
    if (launch.Kind == TLaunchKind::Window)
        return true;
    const TCommand *command =
        launch.Kind == TLaunchKind::Command ? CommandNamed(launch.Command) : nullptr;
    return command && !command->Run;
}

int RunLaunch(const TLaunch &launch)
{
    if (launch.Kind == TLaunchKind::Help) {
        QTextStream(stdout) << Usage();
        return ExitCode::Done;
    }
    if (launch.Kind == TLaunchKind::Version) {
        QTextStream(stdout) << VersionLine() << '\n';
        return ExitCode::Done;
    }
    if (const TCommand *command = CommandNamed(launch.Command); command && command->Run)
        return command->Run(launch.Arguments);
    QTextStream(stderr) << "telqar-logger: unknown command '" << launch.Command
                        << "'\nTry 'telqar-logger --help'.\n";
    return ExitCode::Usage;
}

bool StandardErrorIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

std::optional<int> ParseCommandArguments(QCommandLineParser &parser, const QString &command,
                                         const QStringList &arguments,
                                         const TCommandStreams &streams)
{
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(QStringList{QCoreApplication::applicationName()} + arguments))
        return UsageError(streams, command, parser.errorText());
    if (parser.isSet(help)) {
        // The parser's usage line names the program as started, without the command.
        QString text = parser.helpText();
        const QString usage =
            QStringLiteral("Usage: ") + QCoreApplication::arguments().constFirst();
        if (text.startsWith(usage))
            text.replace(0, usage.size(), QStringLiteral("Usage: telqar-logger ") + command);
        streams.Out << text << Qt::flush;
        return ExitCode::Done;
    }
    if (parser.isSet(version)) {
        streams.Out << VersionLine() << '\n' << Qt::flush;
        return ExitCode::Done;
    }
    return std::nullopt;
}

int CommandFailed(const TCommandStreams &streams, const QString &command, const QString &message)
{
    streams.Err << "telqar-logger " << command << ": " << message << '\n' << Qt::flush;
    return ExitCode::Failed;
}

QString BesideWithSuffix(const QString &path, const QString &suffix)
{
    const QFileInfo info(path);
    const QString folder = info.path() == QLatin1String(".") ? QString() : info.path() + u'/';
    return folder + info.completeBaseName() + suffix;
}

int UsageError(const TCommandStreams &streams, const QString &command, const QString &message)
{
    streams.Err << "telqar-logger " << command << ": " << message << "\nTry 'telqar-logger "
                << command << " --help'.\n"
                << Qt::flush;
    return ExitCode::Usage;
}
