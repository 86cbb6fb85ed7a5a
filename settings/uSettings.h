#pragma once
// What the settings dialog edits, as a plain value: the main window hands one in when it
// opens the dialog and takes one back after OK.

#include "log/uLogTicks.h"
#include "protocol/uProtocolEnv.h"

#include <QList>
#include <QString>

struct TSettings {
    int BaudrateIndex = 3;  // of the bus-speed list; 3 is "250 kBit/sec"
    QString CanId1;
    QString CanId2;        // empty: unit 2 is off
    QString CanId3;        // empty: unit 3 is off
    QString ChassisCanId;  // empty in the test protocol
    TProtocolEnv ProtocolEnv = TProtocolEnv::peProduction;
    QString LogFileName;
    // The adapter the next Connect opens, as --can= names it; empty: none chosen.
    QString CanBackend;
};

// The adapters the dialog offers, found when it opens.
struct TAdapterChoice {
    QString Backend;
    QString Caption;
};
struct TAdapterOffer {
    QList<TAdapterChoice> Choices;
    bool Fixed = false;  // a replayed trace stands behind the channel: nothing else can
};
