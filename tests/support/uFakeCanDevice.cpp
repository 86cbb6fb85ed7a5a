#include "support/uFakeCanDevice.h"

#include <QCoreApplication>
#include <QEvent>

#include <new>

namespace {

class TThrowingPart : public QObject
{
public:
    using QObject::QObject;
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::bad_alloc();
        return QObject::event(event);
    }
};

}  // namespace

TFakeCanDevice::TFakeCanDevice(TFakeBehaviour behaviour)
    : m_behaviour(behaviour), m_part(new TThrowingPart(this))
{
}

void TFakeCanDevice::FailConnecting()
{
    setError(QStringLiteral("no answer from the bus server"), QCanBusDevice::ConnectionError);
    setState(QCanBusDevice::UnconnectedState);
}

void TFakeCanDevice::FailRead()
{
    setError(QStringLiteral("hardware not found"), QCanBusDevice::ReadError);
}

void TFakeCanDevice::ReportBusStatus(QCanBusDevice::CanBusStatus status)
{
    m_busStatus = status;
}

void TFakeCanDevice::ThrowFromBackend()
{
    QCoreApplication::postEvent(m_part, new QEvent(QEvent::User));
}

bool TFakeCanDevice::open()
{
    if (m_behaviour.openFails) {
        setError(QStringLiteral("adapter not plugged in"), QCanBusDevice::ConnectionError);
        return false;
    }
    setState(m_behaviour.connectsLater ? QCanBusDevice::ConnectingState
                                       : QCanBusDevice::ConnectedState);
    return true;
}

void TFakeCanDevice::close()
{
    if (m_behaviour.closeFails)
        setError(QStringLiteral("adapter did not answer"), QCanBusDevice::ConnectionError);
    setState(QCanBusDevice::UnconnectedState);
}

void TFakeCanDevice::Die()
{
    setError(QStringLiteral("adapter unplugged"), QCanBusDevice::ConnectionError);
    setState(QCanBusDevice::UnconnectedState);
}

bool TFakeCanDevice::writeFrame(const QCanBusFrame &frame)
{
    if (m_behaviour.writeFails)
        return false;
    Written << frame;
    return true;
}

TFakeCanBus::TFakeCanBus(TFakeBehaviour behaviour) : Behaviour(behaviour)
{
    TPCANBasic::SetDeviceFactory(
        [this](QString *) -> std::unique_ptr<QCanBusDevice> {
            ++Created;
            auto device = std::make_unique<TFakeCanDevice>(Behaviour);
            QObject::connect(device.get(), &QCanBusDevice::stateChanged, device.get(),
                             [this, raw = device.get()](QCanBusDevice::CanBusDeviceState state) {
                                 if (state == QCanBusDevice::ConnectedState)
                                     LastBitRate =
                                         raw->configurationParameter(QCanBusDevice::BitRateKey);
                             });
            return device;
        },
        QString::fromLatin1(behaviour.plugin));
}

TFakeCanBus::~TFakeCanBus()
{
    if (TPCANBasic::Device())
        TPCANBasic::Uninitialize(PCAN_USBBUS1);
    TPCANBasic::SetDeviceFactory({});
}

TFakeCanDevice *TFakeCanBus::Device() const
{
    return static_cast<TFakeCanDevice *>(TPCANBasic::Device());
}

QCanBusFrame ExtendedFrame(quint32 id, const QByteArray &data)
{
    QCanBusFrame frame(id, data);
    frame.setExtendedFrameFormat(true);
    return frame;
}
