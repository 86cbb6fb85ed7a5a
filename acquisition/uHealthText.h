#pragma once
// The line a user reads at a glance to know whether the data can be trusted: the adapter,
// each unit's samples per second and losses, and the bus. Red when samples were lost in the
// last minute, when a unit is not heard, when the adapter is lost or failed to open, or when
// the bus is in trouble.

#include "acquisition/uAcquisition.h"

#include <QString>

struct THealthText {
    QString Line;
    bool Alarm = false;
    QString Identifiers;  // frames per second of each identifier, one per line
};

// A configured unit not heard this long after Connect turns the line red.
constexpr qint64 NotHeardMs = 2000;

THealthText HealthText(const TAcquisition &acquisition);

// The counts of a whole run, for the end of a recording.
QString SupervisionSummary(const TAcquisition &acquisition);
