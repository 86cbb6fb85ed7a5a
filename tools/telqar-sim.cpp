// The simulated TELQAR units and chassis as a program of their own, for feeding the logger
// through a shared bus:
//   telqar-sim --can=virtualcan:can0 [--rate=HZ] [--drop-every=N] [--drop-burst=AT:COUNT]
// HZ is samples per second; each sample is seven frames (the production unit and three
// test-protocol units), and the chassis adds ten frames a second. The drop options leave
// samples out on purpose, as uSimulatedDrops.h tells.

#include "session/uCanBackend.h"
#include "sim/uSimulatedDrive.h"
#include "sim/uSimulatedDrops.h"

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
    TSimulatedDrops drops;
    for (const QString &argument : application.arguments().mid(1)) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.startsWith(QLatin1String("--")) && equals > 2
                                 ? argument.mid(2, equals - 2)
                                 : QString();
        QString error;
        if (name == QLatin1String("can")) {
            backendText = argument.mid(equals + 1);
        } else if (name == QLatin1String("rate")) {
            rate = argument.mid(equals + 1).toInt();
        } else if (SimulatedDrops::IsOption(name)) {
            if (!SimulatedDrops::ReadOption(name, argument.mid(equals + 1), drops, &error))
                return Fail(error);
        } else {
            return Fail(QStringLiteral("usage: telqar-sim --can=PLUGIN:INTERFACE [--rate=HZ] "
                                       "[--drop-every=N] [--drop-burst=AT:COUNT]"));
        }
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
    drive.SetDrops(drops);
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
