#pragma once
// A plausible drive of a fire engine, as TELQAR units and the chassis would report it:
// start, curves of varying sharpness, braking and a stop, repeating every minute. Every
// sample is sent in both protocols: the production unit's one frame, and the motion and
// status frames of three test-protocol units, so that either environment shows live data.
// Every frame carries its sample's time as its time stamp, µs since the drive's start, as an
// adapter stamps the frames it receives.

#include "sim/uSimulatedDrops.h"

#include <QCanBusFrame>
#include <QList>

#include <random>

struct TDriveState {
    double SpeedKmh = 0;         // km/h
    double TiltX = 0;            // degrees, pitch
    double TiltY = 0;            // degrees, roll
    double AccX = 0;             // g, longitudinal
    double AccY = 0;             // g, lateral
    double LTR = 0;              // load transfer ratio
    double Temperature = 0;      // °C, rises slowly while the unit warms up
    double AngularVelocity = 0;  // °/s, roll rate
    quint8 Status = 0;
};

class TSimulatedDrive
{
public:
    static constexpr quint32 UnitId = 0x18FECE47;
    static constexpr quint32 ChassisId = 0x18FECF10;
    static constexpr quint32 TestUnitIds[3] = {0x18FEDC10, 0x18FEDC20, 0x18FEDC30};
    static constexpr int FirmwareByte = 23;  // version 2.3
    static constexpr int ChassisPerSecond = 10;
    static constexpr int FramesPerSample = 7;

    explicit TSimulatedDrive(int samplesPerSecond = 100, quint32 seed = 1);

    // A dropped sample sends none of the units' frames; the chassis goes on.
    void SetDrops(const TSimulatedDrops &drops) { m_drops = drops; }

    // Frames of every sample and chassis report due by elapsedMs after the start, in the
    // order a bus would carry them. A long gap (a suspended machine) is skipped, not replayed.
    QList<QCanBusFrame> FramesUntil(qint64 elapsedMs);

    const TDriveState &State() const { return m_state; }

    // A unit on a bench answers what it hears. Calibrate: the tilts it reports now become its
    // zero. Factory settings: that zero is forgotten. Reset: it restarts, silent for half a
    // second, keeping its zero.
    void HearCalibrationRequest(quint8 code, qint64 elapsedMs);
    // A speed frame on the chassis identifier: while they come (each one counts for 200 ms)
    // the simulated chassis stays silent and the drive takes the heard speed.
    void HearSpeedFrame(double kmh, qint64 elapsedMs);
    static QCanBusFrame ProductionDataFrame(const TDriveState &state);
    static QCanBusFrame ChassisFrame(double speedKmh);
    // unit 1..3: units 2 and 3 scale accelerations by 100 instead of 1000.
    static QCanBusFrame MotionFrame(const TDriveState &state, int unit);
    static QCanBusFrame StatusFrame(const TDriveState &state, int unit);

private:
    void Step(double seconds);

    int m_samplesPerSecond;
    TSimulatedDrops m_drops;
    qint64 m_samplesSent = 0;  // the number of the last sample due, sent or dropped
    qint64 m_chassisSent = 0;
    double m_time = 0;                        // s since start
    double m_roll = 0;                        // degrees, body roll without sensor noise
    double m_zeroTiltX = 0, m_zeroTiltY = 0;  // degrees, set by a calibration
    qint64 m_silentUntilMs = 0;               // a reset in progress
    double m_heardSpeed = 0;                  // km/h from speed frames
    qint64 m_heardUntilMs = -1;
    TDriveState m_state;
    std::mt19937 m_random;
    std::normal_distribution<double> m_noise{0.0, 1.0};
};
