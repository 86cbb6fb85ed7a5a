// End to end: the simulated unit in its own process on Qt's virtual bus, the logger
// connected to the same bus, a log started and stopped. Every sample received between Start
// and Stop must be in the log exactly once, in order, with the values the unit sent.
// TELQAR_E2E_SECONDS and TELQAR_E2E_RATE make the same check a longer benchmark.

#include "adapter/PCANBasic.h"
#include "app/uConvertCommand.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "base/uNumberFormat.h"
#include "log/uLogFormat.h"
#include "log/ui/uLogBox.h"
#include "protocol/uFrameDecoder.h"
#include "session/uCanBackend.h"
#include "sim/uSimulatedDrive.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QtTest>

namespace {

int Setting(const char *name, int fallback)
{
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

// What the unit sent, sample by sample, as the log's columns 3 and 5 to 10 write it.
QStringList SentRecords(int rate, int samples)
{
    TSimulatedDrive drive(rate);
    QStringList records;
    double speed = 0;
    for (qint64 ms = 1; records.size() < samples; ++ms) {
        for (const QCanBusFrame &frame : drive.FramesUntil(ms)) {
            const TPCANMsg message = MessageFromFrame(frame);
            if (frame.frameId() == TSimulatedDrive::ChassisId) {
                TChassisData chassis;
                DecodeChassisFrame(message, chassis);
                speed = chassis.VehicleSpeed;
            } else if (frame.frameId() == TSimulatedDrive::UnitId) {
                TSensorSample unit;
                DecodeProductionDataFrame(message, unit);
                records << QStringList{FormatFixed(speed, 2),
                                       FormatFixed(unit.TiltX, 2),
                                       FormatFixed(unit.TiltY, 2),
                                       FormatFixed(unit.AccX, 2),
                                       FormatFixed(unit.AccY, 2),
                                       QStringLiteral("%1")
                                           .arg(unit.Status, 2, 16, QLatin1Char('0'))
                                           .toUpper(),
                                       FormatFixed(unit.LTR, 3)}
                               .join(QLatin1Char(';'));
            }
        }
    }
    return records;
}

}  // namespace

class tst_LogThroughVirtualBus : public QObject
{
    Q_OBJECT
private slots:
    void everySampleIsLoggedOnceInOrder();
};

void tst_LogThroughVirtualBus::everySampleIsLoggedOnceInOrder()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const int seconds = Setting("TELQAR_E2E_SECONDS", 3);
    const int rate = Setting("TELQAR_E2E_RATE", 100);

    // A bus of the test's own: another virtual bus on the machine (a user's, a benchmark's)
    // holds the default port.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const QString bus =
        QStringLiteral("virtualcan:tcp://127.0.0.1:%1/can0").arg(probe.serverPort());
    probe.close();

    QProcess simulator;
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    simulator.start(QStringLiteral(TELQAR_SIM_PATH),
                    {QStringLiteral("--can=") + bus, QStringLiteral("--rate=%1").arg(rate)});
    QVERIFY(simulator.waitForStarted());
    QTest::qWait(500);  // the simulator hosts the virtual bus

    TCanBackend backend;
    QVERIFY(TCanBackend::Parse(bus, backend));
    TPCANBasic::SetDeviceFactory(backend.Factory(), backend.Plugin);
    QDir().mkpath(QStringLiteral("logs"));
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &main = *windows.frmMain;
    main.Session().Log.LogFileName = QStringLiteral("logs/e2e.csv");
    main.btnInitClick();
    QTRY_VERIFY_WITH_TIMEOUT(main.Session().Acquisition.State.SensorOnline, 5000);
    QTest::qWait(300);  // a chassis frame has come too

    main.Pages().tsLogging->gbSaveLog->btnStartLogClick();
    QVERIFY(main.Session().Log.LogActive());
    QTest::qWait(seconds * 1000);
    main.Pages().tsLogging->gbSaveLog->btnStopLogClick();
    main.btnReleaseClick();
    simulator.kill();
    simulator.waitForFinished();

    const QStringList files =
        QDir(QStringLiteral("logs")).entryList({QStringLiteral("e2e_001_*[0-9].csv")});
    QCOMPARE(files.size(), 1);
    QFile file(QStringLiteral("logs/") + files.first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.remove();
    QVERIFY(lines.size() > 6);
    QCOMPARE(lines[4].left(3), QByteArray("LP;"));

    QStringList logged;
    for (qsizetype i = 5; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QVERIFY(lines[i].endsWith('\r'));
        const QStringList fields = QString::fromLatin1(lines[i].chopped(1)).split(QLatin1Char(';'));
        QCOMPARE(fields.size(), 10);
        QCOMPARE(fields[0].toInt(), logged.size() + 1);  // LP counts every record once
        QCOMPARE(fields[3], QStringLiteral("0,00"));     // no angular velocity in production
        logged << (QStringList{fields[2]} + fields.mid(4)).join(QLatin1Char(';'));
    }
    const int expectedAtLeast = seconds * rate * 8 / 10;
    QVERIFY2(logged.size() >= expectedAtLeast,
             qPrintable(QStringLiteral("%1 records, expected about %2")
                            .arg(logged.size())
                            .arg(seconds * rate)));

    // The log is one unbroken stretch of what the unit sent.
    const QStringList sent = SentRecords(rate, (seconds + 10) * rate);
    qsizetype first = -1;
    for (qsizetype k = 0; k + logged.size() <= sent.size() && first < 0; ++k)
        if (sent.mid(k, 5) == logged.mid(0, 5))
            first = k;
    QVERIFY2(first >= 0, qPrintable(QStringLiteral("first record not sent: ") + logged.first()));
    for (qsizetype i = 0; i < logged.size(); ++i)
        QCOMPARE(logged[i], sent[first + i]);

    // The raw trace beside the log converts to the same records, the speed of the first ones
    // included. The time of day may fall on another second: the log reads the wall clock at
    // each sample, the trace counts from Start.
    const QString trace = RawTraceNameFor(QStringLiteral("logs/") + files.first());
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    QCOMPARE(RunConvertCommand({trace, QStringLiteral("-o"), QStringLiteral("converted.csv")},
                               {outStream, errStream, false}),
             ExitCode::Done);
    QFile converted(QStringLiteral("converted.csv"));
    QVERIFY(converted.open(QIODevice::ReadOnly));
    const QList<QByteArray> convertedLines = converted.readAll().split('\n');
    converted.remove();
    QFile::remove(trace);
    QCOMPARE(convertedLines.size(), lines.size());
    const auto withoutTime = [](const QByteArray &line) {
        QList<QByteArray> fields = line.split(';');
        if (fields.size() > 1)
            fields.removeAt(1);
        return fields;
    };
    for (qsizetype i = 5; i < lines.size(); ++i)
        QCOMPARE(withoutTime(convertedLines[i]), withoutTime(lines[i]));

    qInfo("%lld records, samples %lld..%lld of the drive", qint64(logged.size()), qint64(first + 1),
          qint64(first + logged.size()));
}

QTEST_MAIN(tst_LogThroughVirtualBus)
#include "tst_LogThroughVirtualBus.moc"
