#pragma once
// The speed frame: the program's own speed on the bus in the chassis frame's format, and the
// fixed speeds of the speed simulation.

#include "adapter/PCANBasic.h"

#include <QString>

#include <optional>

// SourceSpeed's value for "demo mode off": never sent.
constexpr double SpeedNotSimulated = -1.0;

// Item of the speed simulation choice → SourceSpeed: −1, 0, 30, 60 km/h; any other item
// leaves the current value.
double SimulatedSpeed(int item, double current);

// The frame under the chassis identifier: 00, whole km/h (low eight bits), 01, then zeros.
// None when the identifier text is no identifier.
std::optional<TPCANMsg> SpeedFrame(const QString &chassisId, double sourceSpeed);
