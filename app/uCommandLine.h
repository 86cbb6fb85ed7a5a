#pragma once
// The program's command line:
//   telqar-logger [D] [--can=BACKEND] [--drop-every=N] [--drop-burst=AT:COUNT]

#include "sim/uSimulatedDrops.h"

#include <QString>
#include <QStringList>

struct TCommandLine {
    bool CanLogEnabled = false;  // first plain argument is "D", either case
    QString CanBackend;          // --can='s value; empty when not given
    TSimulatedDrops Drops;       // only with --can=sim
    QStringList Problems;        // options that were not understood, for standard error
    // An option understood but wrong: a usage error, the window does not open.
    QString Error;
};

// An option of the program's own form, --name=value.
bool IsNamedOption(const QString &argument);

// arguments: without the program name and without the toolkit's own options.
// Options of the form --name=value are taken out first; of the rest only the first counts.
TCommandLine ParseCommandLine(const QStringList &arguments);
