#pragma once
// The window program, telqar-logger-gui, started in this process's place: what a user starts
// as telqar-logger loads no GUI library until a window is wanted, and the window keeps the
// process id, the arguments and the exit code, so whoever started telqar-logger (a script, a
// desktop launcher, a test) deals with the window as if it had started it directly.

#include <QString>
#include <QStringList>

// The window program beside the program in folder.
QString WindowProgramPath(const QString &folder);

// Replaces this process with program, handing on arguments unchanged: argv as main() had it
// (POSIX) or arguments as the command line held them (Windows). Returns only when that failed,
// with the system's reason.
QString ReplaceWithWindowProgram(const QString &program, char *const argv[],
                                 const QStringList &arguments);

// One argument as Windows programs split their command line back into arguments: quoted when
// it holds a blank or a quote or is empty, inner quotes and the backslashes before them and
// before the closing quote doubled as the C runtime's reading requires.
QString QuotedForWindowsCommandLine(const QString &argument);
