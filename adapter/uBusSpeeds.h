#pragma once
// The fourteen bus speeds of the speed lists, their bus-timing codes and bit rates.

#include "adapter/PCANBasic.h"

#include <QStringList>

namespace BusSpeeds {

constexpr int DefaultIndex = 3;  // "250 kBit/sec"

// Captions as the lists show them, cut-off endings included.
QStringList Captions();

// Code of a list index; 0 when no entry is selected or the index is out of range.
TPCANBaudrate CodeOfIndex(int index);

// Bit rate in bit/s of a bus-timing code; 0 for a code the list does not hold.
int BitRateOfCode(TPCANBaudrate code);

// The bit rate to configure a QtSerialBus plugin with so that the adapter runs at the code's
// speed. Some plugins look the number up in a table of their own and take the nearest entry
// at or above it, which would open the adapter at a neighbouring speed: they are given their
// table's number, and a speed their table lacks gives 0 (the adapter cannot run at it).
// Plugins that pass the number on to the driver get the true bit rate.
int PluginBitRate(const QString &plugin, TPCANBaudrate code);

}  // namespace BusSpeeds
