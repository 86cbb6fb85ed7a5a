#pragma once
// The CAN device behind --can=replay:FILE: hands the trace's received frames to the program
// at their trace time, each stamped with it. Opening it plays, closing it pauses; what the
// program sends is taken and goes nowhere. It wakes only when a frame is due: a paused or
// finished replay costs nothing.

#include "trace/uReplay.h"

#include <QCanBusDevice>
#include <QTimer>

class TReplayDevice : public QCanBusDevice
{
    Q_OBJECT
public:
    // Frames handed over and not yet read by the program, at most: a program held up, or
    // frames due at once, must not fill the memory.
    static constexpr qint64 MostWaiting = 1 << 16;
    // How soon it looks again while that many wait.
    static constexpr int FullWaitMs = 10;

    // The replay outlives the device: the channel makes a new device at each Connect.
    explicit TReplayDevice(TReplay &replay, QObject *parent = nullptr);

    bool writeFrame(const QCanBusFrame &frame) override;
    QString interpretErrorFrame(const QCanBusFrame &errorFrame) override;

    // When it wakes next, in ms from when it last planned; nothing while it sleeps for good.
    std::optional<int> WakeInMs() const;

protected:
    bool open() override;
    void close() override;

private:
    void Release();
    void PlanWake();

    TReplay &m_replay;
    QTimer m_timer;
};

// What the channel makes its device with while replaying.
TCanDeviceFactory ReplayDeviceFactory(TReplay &replay);
