#include "protocol/uFrameDecoder.h"

#include <cstdio>

namespace {

qint16 SignedBE(const TPCANMsg &m, int at)
{
    return qint16(quint16(m.DATA[at] << 8 | m.DATA[at + 1]));
}

quint16 UnsignedBE(const TPCANMsg &m, int at)
{
    return quint16(m.DATA[at] << 8 | m.DATA[at + 1]);
}

struct TUnitRule {
    const QString TAcquisitionState::*id;
    int unit;
    const char *motionPrefix;
    const char *statusPrefix;
    double accelerationDivisor;
};

// Units 2 and 3 of the test protocol: decoded and logged, never shown.
constexpr TUnitRule OtherUnits[] = {
    {&TAcquisitionState::CanId2, 2, "data CAN2/1:", "data CAN2/2:", 100.0},
    {&TAcquisitionState::CanId3, 3, "data CAN3/1:", "data CAN3/2:", 100.0},
};

void Log(TDecoderSink &sink, const char *prefix, const TPCANMsg &message)
{
    if (sink.WantsTrafficLines())
        sink.TrafficFrame(prefix, message);
}

void CompleteUnit1(TAcquisitionState &state, const TTimeStamp &now, TDecoderSink &sink)
{
    state.LastSensorFrameTime = now.Wall;
    state.LastSensorFrameTick = now.MonotonicMs;
    state.SensorOnline = true;
    sink.Unit1SampleComplete();
}

void DispatchProduction(const TPCANMsg &message, TAcquisitionState &state, const TTimeStamp &now,
                        TDecoderSink &sink)
{
    if (MatchesIdentifier(state.ChassisCanId, message.ID)) {
        Log(sink, "data chassis CAN:", message);
        DecodeChassisFrame(message, state.Chassis);
        state.Chassis.LastFrameTime = now.Wall;
        state.Chassis.LastFrameTick = now.MonotonicMs;
    }
    if (CompletesUnit1Sample(message, state)) {
        Log(sink, "data CAN1:", message);
        TSensorSample &unit = state.Sensors[1];
        unit.FrameCounter = (unit.FrameCounter + 1) % 256;
        DecodeProductionDataFrame(message, unit);
        sink.UnitFrame(1, true);
        CompleteUnit1(state, now, sink);
    }
}

void DispatchTest(const TPCANMsg &message, TAcquisitionState &state, const TTimeStamp &now,
                  TDecoderSink &sink)
{
    if (MatchesIdentifier(state.CanId1, message.ID)) {
        Log(sink, "data CAN1/1:", message);
        DecodeMotionFrame(message, state.Sensors[1], 1000.0);
        sink.UnitFrame(1, false);
    }
    if (CompletesUnit1Sample(message, state)) {
        Log(sink, "data CAN1/2:", message);
        DecodeStatusFrame(message, state.Sensors[1]);
        state.Chassis.VehicleSpeed = 0.0;
        sink.UnitFrame(1, true);
        CompleteUnit1(state, now, sink);
    }
    for (const TUnitRule &rule : OtherUnits) {
        const QString &id = state.*rule.id;
        if (id.isEmpty())
            continue;
        TSensorSample &unit = state.Sensors[size_t(rule.unit)];
        if (MatchesIdentifier(id, message.ID)) {
            Log(sink, rule.motionPrefix, message);
            DecodeMotionFrame(message, unit, rule.accelerationDivisor);
            sink.UnitFrame(rule.unit, false);
        }
        if (MatchesIdentifier(id, message.ID, 1)) {
            Log(sink, rule.statusPrefix, message);
            DecodeStatusFrame(message, unit);
            sink.UnitFrame(rule.unit, true);
        }
    }
}

}  // namespace

bool MatchesIdentifier(const QString &text, quint32 frameId, quint32 offset)
{
    const std::optional<quint32> value = IdentifierValue(text);
    return value && frameId == quint32(*value + offset);
}

bool CompletesUnit1Sample(const TPCANMsg &message, const TAcquisitionState &state)
{
    return MatchesIdentifier(state.CanId1, message.ID,
                             state.ProtocolEnv == TProtocolEnv::peProduction ? 0 : 1);
}

QString TrafficLine(const char *prefix, const TPCANMsg &message)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    QString line = QString::fromLatin1(prefix);
    line.reserve(line.size() + 23);
    for (int i = 0; i < 8; ++i) {
        if (i > 0)
            line += QLatin1Char(' ');
        line += QLatin1Char(Hex[message.DATA[i] >> 4]);
        line += QLatin1Char(Hex[message.DATA[i] & 0xF]);
    }
    return line;
}

void DecodeChassisFrame(const TPCANMsg &message, TChassisData &chassis)
{
    chassis.VehicleSpeed = quint16(message.DATA[0] | message.DATA[1] << 8) / 256.0;
}

void DecodeProductionDataFrame(const TPCANMsg &message, TSensorSample &unit)
{
    unit.Status = message.DATA[0];
    unit.TiltX = UnsignedBE(message, 1) / 100.0 - 90.0;
    unit.TiltY = UnsignedBE(message, 3) / 100.0 - 90.0;
    unit.AccX = (message.DATA[5] - 100) / 100.0;
    unit.AccY = (message.DATA[6] - 100) / 100.0;
    unit.LTR = message.DATA[7] / 100.0;
    unit.Temperature = 0.0;
    unit.Heating = 0;
    unit.Firmware.clear();
}

void DecodeMotionFrame(const TPCANMsg &message, TSensorSample &unit, double accelerationDivisor)
{
    unit.TiltX = SignedBE(message, 0) / 100.0;
    unit.TiltY = SignedBE(message, 2) / 100.0;
    unit.AccX = SignedBE(message, 4) / accelerationDivisor;
    unit.AccY = SignedBE(message, 6) / accelerationDivisor;
}

void DecodeStatusFrame(const TPCANMsg &message, TSensorSample &unit)
{
    unit.FrameCounter = (unit.FrameCounter + 1) % 256;
    unit.Temperature = SignedBE(message, 0) / 100.0;
    unit.Heating = 0;
    unit.AngularVelocity = SignedBE(message, 2) / 10.0;
    // Byte 23 is version 2.3; the text is rebuilt only when the byte says something new.
    const int firmware = message.DATA[4];
    char text[5];
    const int length = std::snprintf(text, sizeof text, "%d.%d", firmware / 10, firmware % 10);
    const QLatin1String version(text, length);
    if (unit.Firmware != version)
        unit.Firmware = version;
    unit.LTR = SignedBE(message, 5) / 1000.0;
    unit.Status = message.DATA[7];
}

QString OnlineCaption(TProtocolEnv env, const QString &firmware)
{
    return (env == TProtocolEnv::peProduction ? QStringLiteral("ONLINE ")
                                              : QStringLiteral("ONLINE v"))
           + firmware;
}

void DispatchFrame(const TPCANMsg &message, TAcquisitionState &state, const TTimeStamp &now,
                   TDecoderSink &sink)
{
    if (state.ProtocolEnv == TProtocolEnv::peProduction)
        DispatchProduction(message, state, now, sink);
    else
        DispatchTest(message, state, now, sink);
}

int DrainReceiveQueue(TPCANHandle channel, TAcquisitionState &state, const TTimeStamp &now,
                      TDecoderSink &sink)
{
    TPCANMsg message;
    TPCANTimestamp timestamp;
    int frames = 0;
    // Any failure other than an empty queue ends the tick too: a broken adapter must never
    // hold the window.
    while (sink.ChannelOpen()) {
        if (TPCANBasic::Read(channel, message, timestamp) != PCAN_ERROR_OK)
            break;
        ++frames;
        DispatchFrame(message, state, sink.FrameRead(message, timestamp, now), sink);
    }
    return frames;
}
