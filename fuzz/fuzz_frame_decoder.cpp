// The frame decoder given a sequence of arbitrary frames, in both environments, with
// identifiers that may be no identifiers at all. Input: the frame counter the units start
// from (one byte); CanId1, CanId2, CanId3 and ChassisCanId as UTF-8 lines; then frames of 14
// bytes in the adapter's layout: ID (little-endian), MSGTYPE, LEN (any value, above 8 too),
// eight data bytes.

#include "fuzz/uFuzzIdentifier.h"
#include "fuzz/uFuzzRequire.h"
#include "protocol/uFrameDecoder.h"

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr qsizetype FrameBytes = 14;
const QLatin1String Prefixes[] = {
    QLatin1String("data chassis CAN:"), QLatin1String("data CAN1:"),
    QLatin1String("data CAN1/1:"),      QLatin1String("data CAN1/2:"),
    QLatin1String("data CAN2/1:"),      QLatin1String("data CAN2/2:"),
    QLatin1String("data CAN3/1:"),      QLatin1String("data CAN3/2:"),
};

TPCANMsg MessageAt(const std::uint8_t *bytes)
{
    TPCANMsg message;
    message.ID = quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16
                 | quint32(bytes[3]) << 24;
    message.MSGTYPE = bytes[4];
    message.LEN = bytes[5];
    std::memcpy(message.DATA, bytes + 6, sizeof message.DATA);
    return message;
}

// Frame ID equals the identifier's value plus offset, worked out without the decoder.
int Matches(const QString &identifier, quint32 frameId, quint32 offset)
{
    const std::optional<quint32> value = ExpectedIdentifierValue(identifier);
    return value && quint32(*value + offset) == frameId ? 1 : 0;
}

// How many traffic lines and completed samples the frame must give.
struct TExpected {
    int lines = 0;
    int samples = 0;
};

TExpected ExpectedFor(const TAcquisitionState &state, quint32 id)
{
    TExpected expected;
    if (state.ProtocolEnv == TProtocolEnv::peProduction) {
        expected.samples = Matches(state.CanId1, id, 0);
        expected.lines = Matches(state.ChassisCanId, id, 0) + expected.samples;
        return expected;
    }
    expected.samples = Matches(state.CanId1, id, 1);
    expected.lines = Matches(state.CanId1, id, 0) + expected.samples;
    for (const QString *other : {&state.CanId2, &state.CanId3})
        if (!other->isEmpty())
            expected.lines += Matches(*other, id, 0) + Matches(*other, id, 1);
    return expected;
}

class TCheckingSink : public TDecoderSink
{
public:
    TCheckingSink(const TAcquisitionState &state, int startCounter)
        : m_state(state), m_counter(startCounter)
    {
    }

    void Frame(const TPCANMsg &message, const TTimeStamp &now)
    {
        m_message = message;
        m_now = now;
        m_lines = 0;
        m_samples = 0;
    }
    int Lines() const { return m_lines; }
    int Samples() const { return m_samples; }

    bool WantsTrafficLines() const override { return true; }
    void TrafficFrame(const char *prefix, const TPCANMsg &message) override
    {
        ++m_lines;
        const QString line = TrafficLine(prefix, message);
        const QString bytes = QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(m_message.DATA), 8).toHex(' ').toUpper());
        // A known prefix and the frame's eight bytes, nothing more: the window's lines stay short.
        bool known = false;
        for (const QLatin1String &prefix : Prefixes)
            known = known || line == prefix + bytes;
        Require(known);
    }
    void Unit1SampleComplete() override
    {
        ++m_samples;
        // The sample is whole when it is handed on: stamped, online, counted once, and
        // carrying the bytes of the frame that completed it.
        const TSensorSample &unit = m_state.Sensors[1];
        Require(m_state.SensorOnline && m_state.LastSensorFrameTime == m_now.Wall
                && m_state.LastSensorFrameTick == m_now.MonotonicMs);
        m_counter = (m_counter + 1) % 256;
        Require(unit.FrameCounter == m_counter && unit.Heating == 0);
        const quint8 *data = m_message.DATA;
        if (m_state.ProtocolEnv == TProtocolEnv::peProduction) {
            Require(unit.Status == data[0] && unit.LTR == data[7] / 100.0);
            Require(unit.Temperature == 0.0 && unit.Firmware.isEmpty());
        } else {
            Require(unit.Status == data[7] && m_state.Chassis.VehicleSpeed == 0.0);
            Require(unit.Firmware == QStringLiteral("%1.%2").arg(data[4] / 10).arg(data[4] % 10));
        }
    }
    bool ChannelOpen() const override { return true; }

private:
    const TAcquisitionState &m_state;
    TPCANMsg m_message;
    TTimeStamp m_now;
    int m_counter;
    int m_lines = 0;
    int m_samples = 0;
};

void RequireSane(const TAcquisitionState &state)
{
    Require(std::isfinite(state.Chassis.VehicleSpeed));
    for (size_t n = 1; n <= 3; ++n) {
        const TSensorSample &unit = state.Sensors[n];
        for (double value : {unit.TiltY, unit.TiltX, unit.AccY, unit.AccX, unit.Temperature,
                             unit.AngularVelocity, unit.LTR})
            Require(std::isfinite(value));
        Require(unit.FrameCounter >= 0 && unit.FrameCounter <= 255);
        Require(unit.Firmware.size() <= 4);  // "25.5"
    }
}

void Drive(TAcquisitionState state, int startCounter, const std::uint8_t *frames, qsizetype count)
{
    for (size_t n = 1; n <= 3; ++n)
        state.Sensors[n].FrameCounter = startCounter;
    TCheckingSink sink(state, startCounter);
    for (qsizetype i = 0; i < count; ++i) {
        const TPCANMsg message = MessageAt(frames + i * FrameBytes);
        const TTimeStamp now{45000.0 + double(i) / 86400, 1000 + i * 50};
        sink.Frame(message, now);
        DispatchFrame(message, state, now, sink);
        const TExpected expected = ExpectedFor(state, message.ID);
        Require(sink.Lines() == expected.lines && sink.Samples() == expected.samples);
        RequireSane(state);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int startCounter = data[0];
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype at = 1;
    QString identifiers[4];
    for (QString &identifier : identifiers) {
        const qsizetype end = input.indexOf('\n', at);
        if (end < 0)
            return 0;
        identifier = QString::fromUtf8(input.mid(at, end - at));
        at = end + 1;
    }
    const qsizetype frames = (input.size() - at) / FrameBytes;

    TAcquisitionState production;
    production.CanId1 = identifiers[0];
    production.CanId2 = identifiers[1];
    production.CanId3 = identifiers[2];
    production.ChassisCanId = identifiers[3];
    TAcquisitionState test = production;
    test.ProtocolEnv = TProtocolEnv::peTest;

    Drive(production, startCounter, data + at, frames);
    Drive(test, startCounter, data + at, frames);
    return 0;
}
