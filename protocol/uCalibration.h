#pragma once
// Requests to the unit to calibrate itself, to reset, or to return to its factory settings:
// one extended frame on a fixed identifier whatever the configured units.

#include "adapter/PCANBasic.h"

enum TCalibrationRequest : quint8 {
    crReset = 0,
    crFactorySettings = 1,
    crCalibrate = 2,
};

constexpr quint32 CalibrationRequestId = 0x18FAFD25;

TPCANMsg CalibrationRequestFrame(TCalibrationRequest code);

// How the events record names the request.
const char *CalibrationRequestName(TCalibrationRequest code);
