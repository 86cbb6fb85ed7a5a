#pragma once
// The options of "telqar-logger record":
//   --can=BACKEND [-o BASE] [--bitrate=RATE] [--seconds=N] and the unit options
// BACKEND as the window's --can= takes it, but for a replay; BASE the log's base name as
// File > Save as chooses it; RATE one of the settings' bus speeds, in kbit/s (up to 1000) or in
// bit/s. With --can=sim also --drop-every=N and --drop-burst=AT:COUNT, as the window takes them.

#include "adapter/PCANBasic.h"
#include "app/uUnitOptions.h"
#include "sim/uSimulatedDrops.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

struct TRecordOptions {
    QString Backend;                           // --can=, as typed
    QString Base = QStringLiteral("log.csv");  // -o
    TPCANBaudrate Baudrate = 0;                // the bus-timing code of --bitrate
    std::optional<int> Seconds;                // --seconds: stop after that many, 1 or more
    TSimulatedDrops Drops;                     // the simulated unit's
    TUnitOptions Units;
};

void AddRecordOptions(QCommandLineParser &parser);

// The options of a parser that has parsed the command line. False with a message for the
// user when one is missing or wrong.
bool ReadRecordOptions(const QCommandLineParser &parser, TRecordOptions *options, QString *error);

// The bus-timing code of a bus speed the settings offer: "250" or "250000", "95.238",
// "95,238" or "95238"; 0 for any other.
TPCANBaudrate BaudrateOfText(const QString &text);
