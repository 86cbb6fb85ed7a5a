#pragma once
// The vehicle speed the program itself produces, and the speed frame that carries it onto the
// bus under the chassis identifier. Three sources can speak: the speed simulation (fixed
// speeds, 50 frames a second), a GPS receiver on the serial link (its speed and position go
// only to the traffic window) and a VBOX logger on the serial link (its speed is shown and
// relayed to the bus while the simulation is not running).

#include "acquisition/uAcquisition.h"
#include "base/uDriveEvents.h"
#include "speed/uGpsSpeed.h"
#include "speed/uSerialLink.h"
#include "speed/uSpeedFrame.h"

#include <QString>

#include <functional>

class TSpeedSource
{
public:
    // The frames go out through the acquisition's channel, as its unit and settings allow.
    explicit TSpeedSource(const TAcquisition &acquisition);

    double SourceSpeed = 0;    // km/h from the source in use; SpeedNotSimulated: simulation off
    TGpsPosition GpsPosition;  // texts of the last GGA sentence, for the traffic window only
    bool SimulationRunning = false;  // set with RunSimulation
    TSerialLink Link;
    TEventSink *Events = nullptr;  // told of changes of the simulation and the serial source

    // What a window shows; any may be left empty.
    std::function<void(const QString &line)> OnGpsLine;          // the traffic window's right pane
    std::function<void(const QString &caption)> OnSpeedCaption;  // a VBOX speed, two decimals
    std::function<void(bool sent)> OnFrameSent;  // whether the adapter took the frame

    // The serial link switches to the source; false when its port cannot be opened, and the
    // link is then off.
    bool SwitchTo(TSerialLink::TMode mode, const QString &portName);
    // The simulation starts or stops; item: the speed choice it runs with.
    void RunSimulation(bool run, int item);
    // The serial source and the simulation in force, for an events record that just began.
    void ReportState() const;
    // One step of the running simulation: item of the speed choice (0 off, then 0, 30, 60 km/h).
    void SimulationTick(int item);
    // The speed frame with SourceSpeed, only while unit 1 is online; an identifier that cannot
    // form a frame sends nothing and counts as a failure.
    void SendSpeedFrame();

    // What the link's splitters hand over: an NMEA sentence body after "$GP", a VBOX payload.
    void ComDataPacketGPSPacket(const QByteArray &packet);
    void ComDataPacketVBOXPacket(const QByteArray &packet);

private:
    void Show(const QStringList &gpsLines) const;
    // An event only when the source's text differs from the last one reported.
    void Report(QString &reported, const QString &source);

    const TAcquisition &m_acquisition;
    QString m_simulationReported = QStringLiteral("simulation: off");
    QString m_serialReported = QStringLiteral("serial: off");
};
