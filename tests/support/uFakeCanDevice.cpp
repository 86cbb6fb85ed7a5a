#include "support/uFakeCanDevice.h"

TFakeCanDevice::TFakeCanDevice(TFakeBehaviour behaviour) : m_behaviour(behaviour)
{
}

bool TFakeCanDevice::open()
{
    if (m_behaviour.openFails) {
        setError(QStringLiteral("adapter not plugged in"), QCanBusDevice::ConnectionError);
        return false;
    }
    setState(QCanBusDevice::ConnectedState);
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

TFakeCanBus::TFakeCanBus(TFakeBehaviour behaviour) : m_behaviour(behaviour)
{
    TPCANBasic::SetDeviceFactory(
        [this](QString *) -> std::unique_ptr<QCanBusDevice> {
            ++Created;
            auto device = std::make_unique<TFakeCanDevice>(m_behaviour);
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
