#include "speed/uSpeedSource.h"

#include "speed/uVboxSpeed.h"

TSpeedSource::TSpeedSource(const TAcquisition &acquisition) : m_acquisition(acquisition)
{
    Link.ComDataPacketGPS.SetOnPacket([this](const QByteArray &p) { ComDataPacketGPSPacket(p); });
    Link.ComDataPacketVBOX.SetOnPacket([this](const QByteArray &p) { ComDataPacketVBOXPacket(p); });
}

bool TSpeedSource::SwitchTo(TSerialLink::TMode mode, const QString &portName)
{
    const bool open = Link.SwitchTo(mode, portName);
    Report(m_serialReported, !open
                                 ? QStringLiteral("serial: off")
                                 : QStringLiteral("serial: %1 on %2")
                                       .arg(mode == TSerialLink::TMode::GPS ? QLatin1String("GPS")
                                                                            : QLatin1String("VBOX"),
                                            portName));
    return open;
}

// Running with "demo mode off" chosen sends nothing, as stopping does.
void TSpeedSource::RunSimulation(bool run, int item)
{
    SimulationRunning = run;
    const double speed = run ? SimulatedSpeed(item, SpeedNotSimulated) : SpeedNotSimulated;
    Report(m_simulationReported, speed == SpeedNotSimulated
                                     ? QStringLiteral("simulation: off")
                                     : QStringLiteral("simulation: %1 km/h").arg(speed));
}

void TSpeedSource::ReportState() const
{
    if (!Events)
        return;
    Events->DriveEventOccurred(DriveEvent::SpeedSource, m_serialReported);
    Events->DriveEventOccurred(DriveEvent::SpeedSource, m_simulationReported);
}

void TSpeedSource::Report(QString &reported, const QString &source)
{
    if (source == reported)
        return;
    reported = source;
    if (Events)
        Events->DriveEventOccurred(DriveEvent::SpeedSource, source);
}

void TSpeedSource::SimulationTick(int item)
{
    SourceSpeed = SimulatedSpeed(item, SourceSpeed);
    if (m_acquisition.State.ProtocolEnv == TProtocolEnv::peProduction
        && SourceSpeed != SpeedNotSimulated)
        SendSpeedFrame();
}

void TSpeedSource::SendSpeedFrame()
{
    if (!m_acquisition.State.SensorOnline)
        return;
    const std::optional<TPCANMsg> frame = SpeedFrame(m_acquisition.State.ChassisCanId, SourceSpeed);
    const bool sent = frame && m_acquisition.Send(*frame) == PCAN_ERROR_OK;
    if (OnFrameSent)
        OnFrameSent(sent);
}

void TSpeedSource::ComDataPacketGPSPacket(const QByteArray &packet)
{
    const TGpsSentenceEffect effect = ReadGpsSentence(packet);
    if (effect.SourceSpeed)
        SourceSpeed = *effect.SourceSpeed;
    if (effect.Position)
        GpsPosition = *effect.Position;
    Show(effect.GpsLines);
}

void TSpeedSource::ComDataPacketVBOXPacket(const QByteArray &packet)
{
    const TVboxPayloadEffect effect =
        ReadVboxPayload(packet, m_acquisition.State.ChassisCanId, SimulationRunning);
    Show(effect.GpsLines);
    if (!effect.Speed)
        return;
    SourceSpeed = effect.Speed->SourceSpeed;
    if (OnSpeedCaption)
        OnSpeedCaption(effect.Speed->SimSpeedCaption);
    if (effect.Speed->RelaySpeed)
        SendSpeedFrame();
}

void TSpeedSource::Show(const QStringList &gpsLines) const
{
    if (OnGpsLine)
        for (const QString &line : gpsLines)
            OnGpsLine(line);
}
