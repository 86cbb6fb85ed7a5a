#pragma once
// Requests to the unit to calibrate itself, to reset, or to return to its factory settings:
// one extended frame on a fixed identifier whatever the configured units.

#include "can/PCANBasic.h"

class TAcquisition;
class TEventSink;

enum TCalibrationRequest : quint8 {
    crReset = 0,
    crFactorySettings = 1,
    crCalibrate = 2,
};

constexpr quint32 CalibrationRequestId = 0x18FAFD25;

TPCANMsg CalibrationRequestFrame(TCalibrationRequest code);

// Sends the request on the acquisition's channel and reports which one it was and whether the
// adapter took it to events (null for nowhere). The adapter's status.
TPCANStatus SendCalibrationRequest(const TAcquisition &acquisition, TCalibrationRequest code,
                                   TEventSink *events);
