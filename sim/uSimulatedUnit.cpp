#include "sim/uSimulatedUnit.h"

#include "protocol/uCalibration.h"
#include "protocol/uFrameDecoder.h"

TSimulatedUnit::TSimulatedUnit(const TSimulatedDrops &drops, int samplesPerSecond, QObject *parent)
    : QCanBusDevice(parent), m_drive(samplesPerSecond)
{
    m_drive.SetDrops(drops);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &TSimulatedUnit::Tick);
}

bool TSimulatedUnit::open()
{
    m_clock.start();
    m_timer.start();
    setState(QCanBusDevice::ConnectedState);
    return true;
}

void TSimulatedUnit::close()
{
    m_timer.stop();
    setState(QCanBusDevice::UnconnectedState);
}

void TSimulatedUnit::Tick()
{
    const QList<QCanBusFrame> frames = m_drive.FramesUntil(m_clock.elapsed());
    if (!frames.isEmpty())
        enqueueReceivedFrames(frames);
}

bool TSimulatedUnit::writeFrame(const QCanBusFrame &frame)
{
    if (state() != QCanBusDevice::ConnectedState || !frame.isValid())
        return false;
    const QByteArray data = frame.payload();
    if (frame.frameId() == CalibrationRequestId && !data.isEmpty())
        m_drive.HearCalibrationRequest(quint8(data[0]), m_clock.elapsed());
    else if (frame.frameId() == TSimulatedDrive::ChassisId && data.size() >= 2) {
        TChassisData heard;
        DecodeChassisFrame(MessageFromFrame(frame), heard);  // read as any unit reads it
        m_drive.HearSpeedFrame(heard.VehicleSpeed, m_clock.elapsed());
    }
    emit framesWritten(1);
    return true;
}

QString TSimulatedUnit::interpretErrorFrame(const QCanBusFrame &)
{
    return {};
}
