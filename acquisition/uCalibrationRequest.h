#pragma once
// A calibration request put on the acquisition's channel, and told to the events record.

#include "protocol/uCalibration.h"

class TAcquisition;
class TEventSink;

// Sends the request on the acquisition's channel and reports which one it was and whether the
// adapter took it to events (null for nowhere). The adapter's status.
TPCANStatus SendCalibrationRequest(const TAcquisition &acquisition, TCalibrationRequest code,
                                   TEventSink *events);
