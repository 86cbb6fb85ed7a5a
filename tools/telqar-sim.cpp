// The simulated TELQAR units and chassis as a program of their own, for feeding the logger
// through a shared bus: telqar-sim --can=virtualcan:can0 [--rate=HZ]
// HZ is samples per second; each sample is seven frames (the production unit and three
// test-protocol units), and the chassis adds ten frames a second.

#include "can/uCanBackend.h"
#include "can/uSimulatedDrive.h"

#include <QCanBusDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

namespace {

int Fail(const QString &message)
{
    QTextStream(stderr) << "telqar-sim: " << message << '\n';
    return 2;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QString backendText = QStringLiteral("virtualcan:can0");
    int rate = 100;
    for (const QString &argument : application.arguments().mid(1)) {
        if (argument.startsWith(QLatin1String("--can=")))
            backendText = argument.mid(6);
        else if (argument.startsWith(QLatin1String("--rate=")))
            rate = argument.mid(7).toInt();
        else
            return Fail(QStringLiteral("usage: telqar-sim --can=PLUGIN:INTERFACE [--rate=HZ]"));
    }
    TCanBackend backend;
    if (!TCanBackend::Parse(backendText, backend) || backend.Simulated)
        return Fail(QStringLiteral("--can= needs PLUGIN:INTERFACE, not ") + backendText);
    if (rate < 1 || rate > 100000)
        return Fail(QStringLiteral("--rate= must lie between 1 and 100000"));

    QString error;
    std::unique_ptr<QCanBusDevice> device = backend.Factory()(&error);
    if (!device || !device->connectDevice())
        return Fail(device ? device->errorString() : error);

    TSimulatedDrive drive(rate);
    QElapsedTimer clock;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (device->state() != QCanBusDevice::ConnectedState || !clock.isValid())
            return;
        for (const QCanBusFrame &frame : drive.FramesUntil(clock.elapsed()))
            device->writeFrame(frame);
    });
    QObject::connect(device.get(), &QCanBusDevice::errorOccurred, [&] {
        QTextStream(stderr) << "telqar-sim: " << device->errorString() << '\n';
    });
    QObject::connect(device.get(), &QCanBusDevice::stateChanged,
                     [&](QCanBusDevice::CanBusDeviceState state) {
                         if (state == QCanBusDevice::ConnectedState)
                             clock.start();
                     });
    if (device->state() == QCanBusDevice::ConnectedState)
        clock.start();

    QTextStream(stderr) << "telqar-sim: " << rate << " samples/s ("
                        << rate * TSimulatedDrive::FramesPerSample
                               + TSimulatedDrive::ChassisPerSecond
                        << " frames/s) on " << backendText << '\n';
    timer.start(5);
    return application.exec();
}
