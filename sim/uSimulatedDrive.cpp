#include "sim/uSimulatedDrive.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Gravity = 9.81;  // m/s²
constexpr double CycleSeconds = 60.0;
constexpr double RollPerG = 7.0;    // degrees of body roll per g of lateral acceleration
constexpr double PitchPerG = 2.5;   // degrees of pitch per g of braking or accelerating
constexpr double LtrPerG = 0.95;    // 2·(centre of mass height)/(track width) of the engine
constexpr double MaxAccelG = 0.35;  // a loaded engine neither brakes nor pulls away harder

double Wave(double t, double period)
{
    return std::sin(2.0 * std::numbers::pi * t / period);
}

// Speed the driver aims for in km/h at time t of the cycle.
double TargetSpeed(double t)
{
    if (t < 10.0)
        return 5.0 * t;  // pulling away
    if (t < 45.0)
        return 50.0 + 8.0 * Wave(t - 10.0, 17.5);  // through curves, back to 50 at 45 s
    if (t < 55.0)
        return std::max(0.0, 50.0 - 5.0 * (t - 45.0));  // braking
    return 0.0;                                         // standing
}

// Curvature of the road in 1/m: curves left and right, some sharp enough to push the LTR
// past 0.5.
double Curvature(double t)
{
    if (t < 12.0 || t > 46.0)
        return 0.0;
    return 0.024 * (0.6 + 0.4 * Wave(t, 23.0)) * Wave(t - 12.0, 11.0);
}

// Units 2 and 3 sit further from the roll axis than unit 1 and see a little more.
constexpr double UnitGain[] = {1.0, 1.0, 1.06, 0.94};

qint16 Signed16(double raw)
{
    return qint16(std::clamp(std::lround(raw), -32768L, 32767L));
}

void PutBE(QByteArray &data, int at, qint16 value)
{
    data[at] = char(quint16(value) >> 8);
    data[at + 1] = char(quint16(value) & 0xFF);
}

QCanBusFrame Extended(quint32 id, const QByteArray &data)
{
    QCanBusFrame frame(id, data);
    frame.setExtendedFrameFormat(true);
    return frame;
}

quint16 Clamp16(double raw)
{
    return quint16(std::clamp(std::lround(raw), 0L, 65535L));
}

quint8 Clamp8(double raw)
{
    return quint8(std::clamp(std::lround(raw), 0L, 255L));
}

}  // namespace

TSimulatedDrive::TSimulatedDrive(int samplesPerSecond, quint32 seed)
    : m_samplesPerSecond(std::max(1, samplesPerSecond)), m_random(seed)
{
}

void TSimulatedDrive::Step(double seconds)
{
    const double before = m_state.SpeedKmh;
    m_time += seconds;
    const double t = std::fmod(m_time, CycleSeconds);
    const double wanted = m_time * 1000 < m_heardUntilMs ? m_heardSpeed : TargetSpeed(t);
    // A heard speed is reached as a vehicle would reach it, not in one step.
    const double maxStep = MaxAccelG * Gravity * 3.6 * seconds;  // km/h per sample
    const double speed = before + std::clamp(wanted - before, -maxStep, maxStep);
    const double v = speed / 3.6;  // m/s

    m_state.SpeedKmh = speed;
    m_state.AccX = (speed - before) / 3.6 / seconds / Gravity + 0.01 * m_noise(m_random);
    const double lateral = v * v * Curvature(t) / Gravity;
    const double roll = RollPerG * lateral;
    m_state.AngularVelocity = (roll - m_roll) / seconds;  // follows the tilt, without sensor noise
    m_roll = roll;
    m_state.AccY = lateral + 0.01 * m_noise(m_random);
    m_state.TiltY = RollPerG * m_state.AccY + 0.05 * m_noise(m_random) - m_zeroTiltY;
    m_state.TiltX = 0.8 - PitchPerG * m_state.AccX + 0.05 * m_noise(m_random) - m_zeroTiltX;
    m_state.LTR = LtrPerG * m_state.AccY;
    m_state.Temperature = std::min(45.0, 18.0 + m_time / 40.0);
    // Bit 0 while the unit itself sees a rollover risk, bit 3 during a short self-test.
    m_state.Status = quint8((std::abs(m_state.LTR) > 0.45 ? 0x01 : 0x00)
                            | (t >= 30.0 && t < 33.0 ? 0x08 : 0x00));
}

QList<QCanBusFrame> TSimulatedDrive::FramesUntil(qint64 elapsedMs)
{
    // A backlog of more than one second would be a burst no unit sends: skip it.
    const qint64 due = elapsedMs * m_samplesPerSecond / 1000;
    if (due - m_samplesSent > m_samplesPerSecond) {
        m_samplesSent = due - m_samplesPerSecond;
        m_chassisSent = elapsedMs * ChassisPerSecond / 1000 - ChassisPerSecond;
    }

    QList<QCanBusFrame> frames;
    const double step = 1.0 / m_samplesPerSecond;
    for (; m_samplesSent < due; ++m_samplesSent) {
        Step(step);
        const qint64 number = m_samplesSent + 1;
        const qint64 nowMs = qint64(m_time * 1000);
        const qsizetype sampleFirst = frames.size();
        if (nowMs >= m_silentUntilMs && !m_drops.Drops(number)) {
            frames << ProductionDataFrame(m_state);
            for (int unit = 1; unit <= 3; ++unit)
                frames << MotionFrame(m_state, unit) << StatusFrame(m_state, unit);
        }
        const qint64 chassisDue = number * ChassisPerSecond / m_samplesPerSecond;
        for (; m_chassisSent < chassisDue; ++m_chassisSent)
            if (nowMs >= m_heardUntilMs)
                frames << ChassisFrame(m_state.SpeedKmh);
        const auto stamp =
            QCanBusFrame::TimeStamp::fromMicroSeconds(number * 1'000'000 / m_samplesPerSecond);
        for (qsizetype i = sampleFirst; i < frames.size(); ++i)
            frames[i].setTimeStamp(stamp);
    }
    return frames;
}

void TSimulatedDrive::HearCalibrationRequest(quint8 code, qint64 elapsedMs)
{
    switch (code) {
    case 2:  // calibrate: the reported tilts are measured from here on
        m_zeroTiltX += m_state.TiltX;
        m_zeroTiltY += m_state.TiltY;
        break;
    case 1:  // factory settings
        m_zeroTiltX = m_zeroTiltY = 0;
        break;
    case 0:  // reset
        m_silentUntilMs = elapsedMs + 500;
        break;
    default:
        break;
    }
}

void TSimulatedDrive::HearSpeedFrame(double kmh, qint64 elapsedMs)
{
    m_heardSpeed = kmh;
    m_heardUntilMs = elapsedMs + 200;
}

QCanBusFrame TSimulatedDrive::ProductionDataFrame(const TDriveState &state)
{
    const quint16 tiltX = Clamp16((state.TiltX + 90.0) * 100.0);
    const quint16 tiltY = Clamp16((state.TiltY + 90.0) * 100.0);
    QByteArray data(8, '\0');
    data[0] = char(state.Status);
    data[1] = char(tiltX >> 8);
    data[2] = char(tiltX & 0xFF);
    data[3] = char(tiltY >> 8);
    data[4] = char(tiltY & 0xFF);
    data[5] = char(Clamp8(state.AccX * 100.0 + 100.0));
    data[6] = char(Clamp8(state.AccY * 100.0 + 100.0));
    data[7] = char(Clamp8(std::abs(state.LTR) * 100.0));
    return Extended(UnitId, data);
}

QCanBusFrame TSimulatedDrive::ChassisFrame(double speedKmh)
{
    const quint16 raw = Clamp16(speedKmh * 256.0);
    QByteArray data(8, '\0');
    data[0] = char(raw & 0xFF);
    data[1] = char(raw >> 8);
    return Extended(ChassisId, data);
}

QCanBusFrame TSimulatedDrive::MotionFrame(const TDriveState &state, int unit)
{
    const double gain = UnitGain[unit];
    const double accScale = unit == 1 ? 1000.0 : 100.0;
    QByteArray data(8, '\0');
    PutBE(data, 0, Signed16(state.TiltX * gain * 100.0));
    PutBE(data, 2, Signed16(state.TiltY * gain * 100.0));
    PutBE(data, 4, Signed16(state.AccX * gain * accScale));
    PutBE(data, 6, Signed16(state.AccY * gain * accScale));
    return Extended(TestUnitIds[unit - 1], data);
}

QCanBusFrame TSimulatedDrive::StatusFrame(const TDriveState &state, int unit)
{
    const double gain = UnitGain[unit];
    QByteArray data(8, '\0');
    PutBE(data, 0, Signed16((state.Temperature + unit - 1) * 100.0));
    PutBE(data, 2, Signed16(state.AngularVelocity * gain * 10.0));
    data[4] = char(FirmwareByte);
    PutBE(data, 5, Signed16(state.LTR * gain * 1000.0));
    data[7] = char(state.Status);
    return Extended(TestUnitIds[unit - 1] + 1, data);
}
