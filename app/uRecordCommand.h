#pragma once
// telqar-logger record: a drive logged without a window (see uRecorder.h), with its files
// named at the start, a progress line on a terminal and a summary at the end on standard error.

#include <QStringList>

// arguments: those after "record". Returns the exit code: 0 when the recording ended as asked
// (SIGINT, SIGTERM or --seconds), 1 when it failed, 2 for a wrong command line.
int RunRecordCommand(const QStringList &arguments);
