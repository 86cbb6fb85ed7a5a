#pragma once
// What the 100 ms display refresh shows, as functions of the decoded values: rounding,
// readout texts, lamps, zone overlays, status flags, picture turns and the hidden
// track controls. The windows only show and hide what these say.

#include "protocol/uSensorData.h"

#include <QString>

#include <array>
#include <optional>

// Nearest whole number, halves to the even neighbour (2.5 → 2, 3.5 → 4, −2.5 → −2).
int RoundHalfEven(double value);

// "%03.1f°": one decimal, the locale's separator, the degree sign.
QString FormatAngle(double degrees);

// The longer of the texts of a range's two ends, for giving a readout the width of the widest
// value it can show.
QString WidestReadoutText(TValueRange range, int decimals, const QString &suffix = {});

// Lamps of one column, lit by the size of a tilt: more than 0, 15° or more, 30° or more, on
// the side of its sign. Index 0 is the lamp next to the middle.
struct TLampColumn {
    std::array<bool, 3> Positive{};
    std::array<bool, 3> Negative{};
};
TLampColumn LampsFor(double tilt);

// Which lit arc a gauge shows: none, yellow, or yellow and red, above or below its 0 mark.
enum class TZone { None, UpYellow, UpRed, DownYellow, DownRed };
// Right gauge, longitudinal tilt: a forward (negative) tilt lights the upper half.
TZone ZoneOfTiltX(double tiltX);
// Left gauge, lateral tilt: a positive tilt lights the upper half.
TZone ZoneOfTiltY(double tiltY);

// Status label N (1..8) shows while bit N−1 is set; the warning triangle follows bit 6.
bool StatusLabelShown(quint8 status, int n);
bool WarningShown(quint8 status);

// Angles last given to the four turned pictures, kept so a picture is turned only on change.
struct TPictureState {
    double DrawnTiltX = 0;  // raw values of the last Logging-page refresh
    double DrawnTiltY = 0;
    int VisAngleX = 0;  // whole degrees of the Visualisation gauges
    int VisAngleY = 0;
};
struct TPictureTurns {
    std::optional<int> Wzdluzny, Poprzeczny, VisX, VisY;  // the angle to turn to, if any
};
TPictureTurns PlanPictureTurns(TPictureState &pictures, const TSensorSample &unit);

// Values of the four hidden track controls.
struct TTrackerValues {
    int GP = 0;  // AccY, clamped to −15..15
    int GW = 0;  // AccX, clamped to −15..15
    int W = 0;   // −TiltX, −180..180
    int P = 0;   // TiltY, −180..180
};
TTrackerValues TrackerValuesFor(const TSensorSample &unit);
