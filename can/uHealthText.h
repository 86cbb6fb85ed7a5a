#pragma once
// The line a user reads at a glance to know whether the data can be trusted: the adapter,
// each unit's samples per second and losses, and the bus. Red when samples were lost in the
// last minute, when the adapter is lost or failed to open, or when the bus is in trouble.

#include "can/uAcquisition.h"

#include <QString>

struct THealthText {
    QString Line;
    bool Alarm = false;
    QString Identifiers;  // frames per second of each identifier, one per line
};

THealthText HealthText(const TAcquisition &acquisition);

// "unit 1: 100.0 samples/s, 0 lost" and what else there is to tell of the unit.
QString UnitHealthText(int unit, const TUnitHealth &health);

// The counts of a whole run, for the end of a recording.
QString SupervisionSummary(const TAcquisition &acquisition);
