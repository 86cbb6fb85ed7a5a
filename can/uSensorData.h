#pragma once
// Decoded state of the units and of the chassis, held by the main window and handed to the
// rules by reference so that tests can set it up without a window.

#include "settings/uProtocolEnv.h"

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
    int FrameCounter = 0;        // record frames received, 0..255
    QString Firmware;            // "2.3"; empty in the production environment
};

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
