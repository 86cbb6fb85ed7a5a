#pragma once
// A TELQAR unit and the chassis inside the program: a CAN device that plays the simulated
// drive in real time, so the logger can be tried without an adapter.

#include "sim/uSimulatedDrive.h"

#include <QCanBusDevice>
#include <QElapsedTimer>
#include <QTimer>

class TSimulatedUnit : public QCanBusDevice
{
    Q_OBJECT
public:
    explicit TSimulatedUnit(const TSimulatedDrops &drops = {}, int samplesPerSecond = 100,
                            QObject *parent = nullptr);

    bool writeFrame(const QCanBusFrame &frame) override;
    QString interpretErrorFrame(const QCanBusFrame &errorFrame) override;

protected:
    bool open() override;
    void close() override;

private:
    void Tick();

    TSimulatedDrive m_drive;
    QTimer m_timer;
    QElapsedTimer m_clock;
};
