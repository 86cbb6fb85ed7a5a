#include "speed/uSpeedSource.h"

#include "speed/uVboxSpeed.h"

TSpeedSource::TSpeedSource(const TAcquisitionState &acquisition, const TPCANHandle &channel)
    : m_acquisition(acquisition), m_channel(channel)
{
    Link.ComDataPacketGPS.SetOnPacket([this](const QByteArray &p) { ComDataPacketGPSPacket(p); });
    Link.ComDataPacketVBOX.SetOnPacket([this](const QByteArray &p) { ComDataPacketVBOXPacket(p); });
}

bool TSpeedSource::SwitchTo(TSerialLink::TMode mode, const QString &portName)
{
    return Link.SwitchTo(mode, portName);
}

void TSpeedSource::SimulationTick(int item)
{
    SourceSpeed = SimulatedSpeed(item, SourceSpeed);
    if (m_acquisition.ProtocolEnv == TProtocolEnv::peProduction && SourceSpeed != SpeedNotSimulated)
        SendSpeedFrame();
}

void TSpeedSource::SendSpeedFrame()
{
    if (!m_acquisition.SensorOnline)
        return;
    const std::optional<TPCANMsg> frame = SpeedFrame(m_acquisition.ChassisCanId, SourceSpeed);
    const bool sent = frame && TPCANBasic::Write(m_channel, *frame) == PCAN_ERROR_OK;
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
        ReadVboxPayload(packet, m_acquisition.ChassisCanId, SimulationRunning);
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
