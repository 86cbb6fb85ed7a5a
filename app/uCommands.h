#pragma once
// What telqar-logger is asked to do: open the window, or run one of the commands that need no
// display. The command is the first argument that is not a --name=value option, the place
// where the window looks for "D", so the window's own start-up rule stays as it was.
//   telqar-logger [D] [--can=BACKEND]            the window
//   telqar-logger record|convert [options]       a command without a window
//   telqar-logger report [options]               one that draws, in the window program
//   telqar-logger --help | --version

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

// Exit codes of the commands: 0 done, 1 failed, 2 the command line was wrong.
namespace ExitCode {
constexpr int Done = 0;
constexpr int Failed = 1;
constexpr int Usage = 2;
constexpr int Damaged = 3;  // convert: the CSV is written, but damaged lines were passed over
}  // namespace ExitCode

// Where a command writes, and whether its error stream is a terminal (for progress shown in
// place); tests give streams of their own.
struct TCommandStreams {
    QTextStream &Out;
    QTextStream &Err;
    bool ErrIsTerminal = false;
};

// Whether this process's standard error is a terminal a person watches.
bool StandardErrorIsTerminal();

enum class TLaunchKind { Window, Help, Version, Command, UnknownCommand };

struct TLaunch {
    TLaunchKind Kind = TLaunchKind::Window;
    QString Command;        // the command's name, as typed
    QStringList Arguments;  // what the command gets: every argument but its name, in order
};

// arguments: without the program's name.
TLaunch ChooseLaunch(const QStringList &arguments);

// The window, and the commands that draw pages (report), run in the window program, which
// has the drawing libraries; this one has none.
bool RunsInWindowProgram(const TLaunch &launch);

// Runs what ChooseLaunch chose, other than the window program's; a QCoreApplication must
// exist.
int RunLaunch(const TLaunch &launch);

// Parses a command's arguments by its options and --help and --version. Help and version go
// to the output, a wrong command line to the error stream; the command then ends with the exit
// code returned. Nothing returned: the options are there to read.
std::optional<int> ParseCommandArguments(QCommandLineParser &parser, const QString &command,
                                         const QStringList &arguments,
                                         const TCommandStreams &streams);

// A command that could not do its work: "telqar-logger COMMAND: message" on its error stream.
int CommandFailed(const TCommandStreams &streams, const QString &command, const QString &message);

// The file a command writes by default: "drive.log" with ".csv" gives "drive.csv" in the same
// folder.
QString BesideWithSuffix(const QString &path, const QString &suffix);

// A wrong value found in the parsed options, reported as the parser reports its own.
int UsageError(const TCommandStreams &streams, const QString &command, const QString &message);
