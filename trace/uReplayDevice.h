#pragma once
// The CAN device behind --can=replay:FILE: hands the trace's received frames to the program
// at their trace time, each stamped with it. Opening it plays, closing it pauses; what the
// program sends is taken and goes nowhere.

#include "trace/uReplay.h"

#include <QCanBusDevice>
#include <QTimer>

class TReplayDevice : public QCanBusDevice
{
    Q_OBJECT
public:
    // The replay outlives the device: the channel makes a new device at each Connect.
    explicit TReplayDevice(TReplay &replay, QObject *parent = nullptr);

    bool writeFrame(const QCanBusFrame &frame) override;
    QString interpretErrorFrame(const QCanBusFrame &errorFrame) override;

protected:
    bool open() override;
    void close() override;

private:
    void Release();

    TReplay &m_replay;
    QTimer m_timer;
};

// What the channel makes its device with while replaying.
TCanDeviceFactory ReplayDeviceFactory(TReplay &replay);
