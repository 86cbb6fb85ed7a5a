#include "display/uDisplayRules.h"

#include "base/uNumberFormat.h"

#include <algorithm>
#include <cmath>

int RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    // The default floating-point rounding mode is to nearest, ties to even.
    return int(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

QString FormatAngle(double degrees)
{
    return FormatFixed(degrees, 1) + QStringLiteral("°");
}

QString WidestReadoutText(TValueRange range, int decimals, const QString &suffix)
{
    const QString lowest = FormatFixed(range.Lowest, decimals) + suffix;
    const QString highest = FormatFixed(range.Highest, decimals) + suffix;
    return lowest.size() >= highest.size() ? lowest : highest;
}

TLampColumn LampsFor(double tilt)
{
    const auto levels = [](double size) {
        return std::array<bool, 3>{size > 0, size >= 15, size >= 30};
    };
    return {levels(tilt), levels(-tilt)};
}

TZone ZoneOfTiltX(double tiltX)
{
    if (tiltX <= -30)
        return TZone::UpRed;
    if (tiltX <= -15)
        return TZone::UpYellow;
    if (tiltX >= 30)
        return TZone::DownRed;
    if (tiltX >= 15)
        return TZone::DownYellow;
    return TZone::None;
}

TZone ZoneOfTiltY(double tiltY)
{
    if (tiltY >= 30)
        return TZone::UpRed;
    if (tiltY >= 15)
        return TZone::UpYellow;
    if (tiltY <= -30)
        return TZone::DownRed;
    if (tiltY <= -15)
        return TZone::DownYellow;
    return TZone::None;
}

bool StatusLabelShown(quint8 status, int n)
{
    return n >= 1 && n <= 8 && (status >> (n - 1) & 1) != 0;
}

bool WarningShown(quint8 status)
{
    return (status & 0x40) != 0;
}

TPictureTurns PlanPictureTurns(TPictureState &pictures, const TSensorSample &unit)
{
    TPictureTurns turns;
    if (unit.TiltY != pictures.DrawnTiltY)
        turns.Poprzeczny = RoundHalfEven(unit.TiltY);
    if (unit.TiltX != pictures.DrawnTiltX)
        turns.Wzdluzny = RoundHalfEven(unit.TiltX);
    pictures.DrawnTiltX = unit.TiltX;
    pictures.DrawnTiltY = unit.TiltY;

    const int visX = RoundHalfEven(unit.TiltX);
    if (visX != pictures.VisAngleX)
        turns.VisX = pictures.VisAngleX = visX;
    const int visY = RoundHalfEven(unit.TiltY);
    if (visY != pictures.VisAngleY)
        turns.VisY = pictures.VisAngleY = visY;
    return turns;
}

TTrackerValues TrackerValuesFor(const TSensorSample &unit)
{
    const auto clamped = [](double value, double limit) {
        return RoundHalfEven(std::clamp(value, -limit, limit));
    };
    return {clamped(unit.AccY, 15), clamped(unit.AccX, 15), clamped(-unit.TiltX, 180),
            clamped(unit.TiltY, 180)};
}
