#pragma once
// A CAN device for tests: frames are injected by hand, written frames are recorded, and
// opening or closing can be made to fail.

#include "adapter/PCANBasic.h"

#include <QCanBusDevice>
#include <QCanBusFrame>
#include <QList>
#include <QVariant>

#include <optional>

struct TFakeBehaviour {
    bool openFails = false;
    bool closeFails = false;
    bool writeFails = false;
    bool connectsLater = false;  // stays connecting, as the virtual bus does, until told
    const char *plugin = "";     // the QtSerialBus plugin the fake stands in for
};

class TFakeCanDevice : public QCanBusDevice
{
public:
    explicit TFakeCanDevice(TFakeBehaviour behaviour = {});

    void Inject(const QList<QCanBusFrame> &frames) { enqueueReceivedFrames(frames); }
    // The adapter dies: the device drops out of the connected state with an error.
    void Die();
    // A backend that connects in the event loop gets there, or gives up.
    void FinishConnecting() { setState(QCanBusDevice::ConnectedState); }
    void FailConnecting();
    // A read fails; the device stays connected, as some backends do when theirs is gone.
    void FailRead();
    void ReportBusStatus(QCanBusDevice::CanBusStatus status);
    // An exception leaves a handler of the backend's own object, as Qt 6.4's virtual bus
    // throws std::bad_alloc on a malformed line; it happens in the event loop.
    void ThrowFromBackend();

    bool writeFrame(const QCanBusFrame &frame) override;
    QString interpretErrorFrame(const QCanBusFrame &) override { return {}; }
    bool hasBusStatus() const override { return m_busStatus.has_value(); }
    CanBusStatus busStatus() override { return m_busStatus.value_or(CanBusStatus::Unknown); }

    QList<QCanBusFrame> Written;

protected:
    bool open() override;
    void close() override;

private:
    TFakeBehaviour m_behaviour;
    QObject *m_part = nullptr;  // the backend's own object, a child of the device
    std::optional<CanBusStatus> m_busStatus;  // none: the backend cannot tell
};

// Installs a factory that makes TFakeCanDevice objects and remembers the last one, and
// releases the channel again at the end of a test.
class TFakeCanBus
{
public:
    explicit TFakeCanBus(TFakeBehaviour behaviour = {});
    ~TFakeCanBus();

    TFakeCanDevice *Device() const;  // the device behind the open channel, or null
    int Created = 0;                 // devices the factory has made
    QVariant LastBitRate;            // bit rate the channel asked for
    TFakeBehaviour Behaviour;        // of the devices made from now on
};

QCanBusFrame ExtendedFrame(quint32 id, const QByteArray &data);
