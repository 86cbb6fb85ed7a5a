#pragma once
// What stands behind the CAN channel, as chosen with --can=.

#include "can/PCANBasic.h"

#include <QString>

struct TCanBackend {
    QString Plugin;     // a QtSerialBus plugin ("peakcan", "socketcan", "virtualcan") or empty
    QString Interface;  // the plugin's interface name ("usb0", "can0")
    bool Simulated = false;

    static constexpr const char *Default = "peakcan:usb0";

    // "sim" or "PLUGIN:INTERFACE"; false for anything else.
    static bool Parse(const QString &text, TCanBackend &backend);

    TCanDeviceFactory Factory() const;
};
