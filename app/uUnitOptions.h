#pragma once
// The options of the sub-commands that decode without a window (record, convert) which stand
// for the settings dialog: which protocol the units speak, their identifiers and how the log
// is thinned.
//   --protocol=production|test  --id1=HEX --id2=HEX --id3=HEX --chassis=HEX  --every=1|32
// Identifiers are hexadecimal digits without prefix, as the settings hold them. Unit 2 and 3
// are switched on by giving their identifier, as ticking them in the dialog does, and only in
// the test protocol; the chassis frame exists only in production.

#include "log/uLogSession.h"
#include "protocol/uSensorData.h"

#include <QCommandLineParser>
#include <QString>

struct TUnitOptions {
    TProtocolEnv ProtocolEnv = TProtocolEnv::peProduction;
    QString CanId1 = TAcquisitionState().CanId1;
    QString CanId2;                                           // empty: unit 2 is off
    QString CanId3;                                           // empty: unit 3 is off
    QString ChassisCanId = TAcquisitionState().ChassisCanId;  // empty in the test protocol
    bool EveryThirtySecond = false;                           // --every=32

    // Protocol and identifiers go to the decoder's state; the unit columns and the thinning
    // to the log, as the settings' ticks would.
    void ApplyTo(TAcquisitionState &state, TLogSession &log) const;
};

void AddUnitOptions(QCommandLineParser &parser);

// The options given to a parser that has parsed the command line; those not given keep the
// settings' defaults for the protocol. False with a message for the user when a value is
// wrong or the options do not go together.
bool ReadUnitOptions(const QCommandLineParser &parser, TUnitOptions *options, QString *error);
