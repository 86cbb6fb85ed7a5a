#pragma once
// The fourteen bus speeds of the speed lists, their bus-timing codes and bit rates.

#include "can/PCANBasic.h"

#include <QStringList>

namespace BusSpeeds {

constexpr int DefaultIndex = 3;  // "250 kBit/sec"

// Captions as the lists show them, cut-off endings included.
QStringList Captions();

// Code of a list index; 0 when no entry is selected or the index is out of range.
TPCANBaudrate CodeOfIndex(int index);

// Bit rate in bit/s of a bus-timing code; 0 for a code the list does not hold.
int BitRateOfCode(TPCANBaudrate code);

} // namespace BusSpeeds
