#pragma once
// "telqar-logger convert TRACE [-o OUT.csv] [unit options]": the measurement log (CSV) that a
// raw trace's frames make, written without a window; once it is written, "OUT.csv: N records"
// on standard output. Exit codes:
//   0  the CSV is written
//   1  the trace cannot be read or the CSV cannot be written
//   2  the command line is wrong
//   3  the CSV is written, but damaged lines of the trace were passed over (each named on
//      standard error, the first thousand, then their count)
// (ExitCode of app/uCommands.h.)

#include "app/uCommands.h"

#include <QStringList>

// arguments: those after the word "convert". Writes to the process's standard streams.
int RunConvertCommand(const QStringList &arguments);
int RunConvertCommand(const QStringList &arguments, const TCommandStreams &streams);

// A trace this large or larger gets a progress bar, on a terminal.
constexpr qint64 ConvertProgressFromBytes = 4 << 20;
