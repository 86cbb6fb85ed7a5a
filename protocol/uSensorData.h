#pragma once
// Decoded state of the units and of the chassis, held by the main window and handed to the
// rules by reference so that tests can set it up without a window.

#include "protocol/uProtocolEnv.h"

#include <QString>
#include <QtGlobal>

#include <array>

struct TSensorSample {
    double TiltY = 0;            // degrees, lateral
    double TiltX = 0;            // degrees, longitudinal
    double AccY = 0;             // g
    double AccX = 0;             // g
    double Temperature = 0;      // °C, test protocol only
    double AngularVelocity = 0;  // °/s, test protocol only
    double LTR = 0;              // load transfer ratio, 0..1 in normal driving
    quint8 Status = 0;           // bit k belongs to status text k+1
    quint8 Heating = 0;
    int FrameCounter = 0;  // record frames received, 0..255
    QString Firmware;      // "2.3"; empty in the production environment
};

// The lowest and highest value each decoded quantity of a unit or the chassis can take, whatever
// the bytes; readouts are sized for them.
struct TValueRange {
    double Lowest = 0, Highest = 0;
};
namespace DecodedRange {
constexpr TValueRange Tilt{-327.68, 565.35};  // test: int16 / 100; production: uint16 / 100 − 90
constexpr TValueRange Acceleration{-32.768, 32.767};     // test unit 1: int16 / 1000
constexpr TValueRange Ltr{-32.768, 32.767};              // test: int16 / 1000
constexpr TValueRange Speed{0, 65535 / 256.0};           // uint16 / 256
constexpr TValueRange AngularVelocity{-3276.8, 3276.7};  // int16 / 10
constexpr TValueRange Temperature{-327.68, 327.67};      // int16 / 100
}  // namespace DecodedRange

struct TChassisData {
    double VehicleSpeed = 0;   // km/h
    double LastFrameTime = 0;  // local date-time in days
    qint64 LastFrameTick = 0;  // ms on the monotonic clock, for the speed watchdog
};

struct TAcquisitionState {
    QString CanId1 = QStringLiteral("18FECE47");
    QString CanId2;  // empty: unit 2 is off
    QString CanId3;  // empty: unit 3 is off
    QString ChassisCanId = QStringLiteral("18FECF10");
    TProtocolEnv ProtocolEnv = TProtocolEnv::peProduction;

    std::array<TSensorSample, 4> Sensors;  // units 1..3; index 0 is unused
    TChassisData Chassis;
    double LastSensorFrameTime = 0;  // local date-time in days
    qint64 LastSensorFrameTick = 0;  // ms on the monotonic clock, for the connection watchdog
    bool SensorOnline = false;       // a unit-1 sample arrived since the last Connect
};

// Zeroes the values of unit 1 and the vehicle speed; counters, firmware, time stamps and
// units 2 and 3 stay.
void ClearSensorValues(TAcquisitionState &state);
