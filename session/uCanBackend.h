#pragma once
// What stands behind the CAN channel, as chosen with --can=.

#include "adapter/PCANBasic.h"
#include "sim/uSimulatedDrops.h"

#include <QString>

struct TCanBackend {
    QString Plugin;     // a QtSerialBus plugin ("peakcan", "socketcan", "virtualcan") or empty
    QString Interface;  // the plugin's interface name ("usb0", "can0")
    bool Simulated = false;
    TSimulatedDrops Drops;  // the simulated unit's; not set by Parse
    QString TraceFile;      // a trace to replay; its device is made where the replay lives

    static constexpr const char *Default = "peakcan:usb0";

    // "sim", "replay:FILE" or "PLUGIN:INTERFACE"; false for anything else.
    static bool Parse(const QString &text, TCanBackend &backend);
    // The text Parse reads back; empty for none.
    QString Text() const;

    // The channel's next Connect opens this adapter; an open channel keeps its own. Not for a
    // replay.
    void Use() const;

    // Not for a replay.
    TCanDeviceFactory Factory() const;
    // SocketCAN's bit rate is the kernel's: checked, and set where the program may, before
    // the interface is opened. None for the other adapters.
    TCanOpenCheck OpenCheck() const;
};
