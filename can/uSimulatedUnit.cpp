#include "can/uSimulatedUnit.h"

TSimulatedUnit::TSimulatedUnit(int samplesPerSecond, QObject *parent)
    : QCanBusDevice(parent), m_drive(samplesPerSecond)
{
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
    emit framesWritten(1);
    return true;
}

QString TSimulatedUnit::interpretErrorFrame(const QCanBusFrame &)
{
    return {};
}
