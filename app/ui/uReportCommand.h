#pragma once
// "telqar-logger report LOG.csv [-o REPORT.pdf] [--threshold=X] [unit options]": the drive's
// report from its measurement log, or from a raw trace decoded as convert decodes it. A PDF,
// or with -o NAME.png an image of its first page. It runs in the window program, which has
// the drawing libraries, on Qt's offscreen platform: no display, no window. Exit codes as the
// other commands': 0 written, 1 not written, 2 wrong command line.

#include "app/uCommands.h"

#include <QStringList>

int RunReportCommand(const QStringList &arguments, const TCommandStreams &streams);
