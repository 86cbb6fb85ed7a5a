#include "speed/uSpeedFrame.h"

#include "protocol/uIdentifiers.h"

#include <cmath>

double SimulatedSpeed(int item, double current)
{
    static constexpr double Speeds[] = {SpeedNotSimulated, 0.0, 30.0, 60.0};
    return item >= 0 && item < 4 ? Speeds[item] : current;
}

std::optional<TPCANMsg> SpeedFrame(const QString &chassisId, double sourceSpeed)
{
    const std::optional<quint32> id = IdentifierValue(chassisId);
    if (!id)
        return std::nullopt;
    TPCANMsg message;
    message.ID = *id;
    message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    message.LEN = 8;
    // The fraction is dropped; a speed beyond 255 km/h wraps as the unit expects.
    const double whole = std::isfinite(sourceSpeed) ? std::trunc(sourceSpeed) : 0.0;
    message.DATA[1] = quint8(qint64(std::fmod(whole, 256.0)) & 0xFF);
    message.DATA[2] = 0x01;
    return message;
}
