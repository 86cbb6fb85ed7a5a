#include "speed/uVboxSpeed.h"

#include "base/uNumberFormat.h"
#include "protocol/uIdentifiers.h"
#include "speed/uKnots.h"

namespace {

constexpr qsizetype SpeedLowByte = 21;
constexpr qsizetype SpeedHighByte = 22;

}  // namespace

TVboxPayloadEffect ReadVboxPayload(const QByteArray &payload, const QString &chassisCanId,
                                   bool speedSimulationRunning, const QLocale &locale)
{
    TVboxPayloadEffect effect;
    if (payload.size() <= SpeedHighByte) {
        effect.GpsLines << QStringLiteral("za krótkie vbox") + QString::number(payload.size());
        return effect;
    }
    const int low = quint8(payload[SpeedLowByte]);
    const int high = quint8(payload[SpeedHighByte]);
    const int hundredthsOfKnot = low + 256 * high;  // 0 to 65535
    TVboxSpeed speed;
    speed.SourceSpeed = hundredthsOfKnot * KmhPerKnot / 100;
    speed.SimSpeedCaption = FormatFixed(speed.SourceSpeed, 2, locale);
    // The test protocol has no chassis identifier; the relay waits until one is set.
    speed.RelaySpeed = !speedSimulationRunning && IsValidIdentifier(chassisCanId);
    effect.GpsLines << QStringLiteral("speed %1 %2 vbox:").arg(low).arg(high)
                           + speed.SimSpeedCaption;
    effect.Speed = std::move(speed);
    return effect;
}
