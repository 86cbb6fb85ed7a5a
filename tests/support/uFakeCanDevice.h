#pragma once
// A CAN device for tests: frames are injected by hand, written frames are recorded, and
// opening or closing can be made to fail.

#include "can/PCANBasic.h"

#include <QCanBusDevice>
#include <QCanBusFrame>
#include <QList>
#include <QVariant>

struct TFakeBehaviour {
    bool openFails = false;
    bool closeFails = false;
    bool writeFails = false;
    const char *plugin = "";  // the QtSerialBus plugin the fake stands in for
};

class TFakeCanDevice : public QCanBusDevice
{
public:
    explicit TFakeCanDevice(TFakeBehaviour behaviour = {});

    void Inject(const QList<QCanBusFrame> &frames) { enqueueReceivedFrames(frames); }
    // The adapter dies: the device drops out of the connected state with an error.
    void Die();

    bool writeFrame(const QCanBusFrame &frame) override;
    QString interpretErrorFrame(const QCanBusFrame &) override { return {}; }

    QList<QCanBusFrame> Written;

protected:
    bool open() override;
    void close() override;

private:
    TFakeBehaviour m_behaviour;
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

private:
    TFakeBehaviour m_behaviour;
};

QCanBusFrame ExtendedFrame(quint32 id, const QByteArray &data);
