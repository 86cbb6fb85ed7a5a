#include "acquisition/uAcquisition.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"
#include "support/uWatchedAcquisition.h"

#include <QtTest>

namespace {

const QCanBusFrame ProductionSample =
    ExtendedFrame(0x18FECE47, QByteArray::fromHex("4023282328C8643C"));

}  // namespace

class tst_uAcquisition : public QObject
{
    Q_OBJECT
private slots:
    void samplesReachEverySinkAndTheCaptionOnce();
    void aFailedConnectLeavesTheChannelClosed();
    void disconnectClosesEvenWhenClosingFails();
    void aSilentUnitDropsTheConnection();
    void demoSamplesTakeTheSameWay();
    void watchdogs_data();
    void watchdogs();
};

void tst_uAcquisition::samplesReachEverySinkAndTheCaptionOnce()
{
    TWatched watched;
    QVERIFY(watched.Acquisition.Connect(0x001C));
    QVERIFY(watched.Acquisition.ChannelOpen());
    watched.Bus.Device()->Inject(
        {ProductionSample, ExtendedFrame(0x123, QByteArray(8, '\0')), ProductionSample});
    QCOMPARE(watched.Acquisition.Drain(), 3);

    const QList<QPair<int, int>> samples{{1, 0}, {2, 0}};
    QCOMPARE(watched.First.Samples, samples);
    QCOMPARE(watched.Second.Samples, samples);
    QCOMPARE(watched.First.Times.first(), QTime(2, 1, 40));
    QVERIFY(watched.Acquisition.State.SensorOnline);
    QCOMPARE(watched.Reports,
             QStringList({"open", "Połączenie", "data CAN1:40 23 28 23 28 C8 64 3C",
                          "caption ONLINE ", "data CAN1:40 23 28 23 28 C8 64 3C"}));
}

void tst_uAcquisition::aFailedConnectLeavesTheChannelClosed()
{
    TWatched watched({.openFails = true});
    watched.Acquisition.State.Sensors[1].LTR = 0.7;
    QTest::ignoreMessage(QtWarningMsg, "CAN channel could not be opened: adapter not plugged in");
    QVERIFY(!watched.Acquisition.Connect(0x001C));
    QVERIFY(!watched.Acquisition.ChannelOpen());
    QCOMPARE(watched.Acquisition.State.Sensors[1].LTR, 0.0);  // cleared before the attempt
    QCOMPARE(watched.Reports, (QStringList{"błąd otwarcia", "adapter not plugged in"}));
}

void tst_uAcquisition::disconnectClosesEvenWhenClosingFails()
{
    TWatched watched({.closeFails = true});
    watched.Acquisition.Connect(0x001C);
    watched.Bus.Device()->Inject({ProductionSample});
    watched.Acquisition.Drain();
    watched.Reports.clear();

    watched.Acquisition.Disconnect();
    QVERIFY(!watched.Acquisition.ChannelOpen());
    QVERIFY(!watched.Acquisition.State.SensorOnline);
    QCOMPARE(watched.Acquisition.State.Sensors[1].TiltY, 0.0);
    QCOMPARE(watched.Reports, QStringList({"closed", "Rozłączenie", "caption OFFLINE"}));
    QCOMPARE(watched.Acquisition.Drain(), 0);  // a closed channel reads nothing
}

void tst_uAcquisition::aSilentUnitDropsTheConnection()
{
    TWatched watched;
    watched.Acquisition.Connect(0x001C);
    watched.Bus.Device()->Inject({ProductionSample});
    watched.Acquisition.Drain();
    watched.Acquisition.State.Chassis.VehicleSpeed = 40;
    watched.Reports.clear();

    for (int ms = 0; ms < 16000; ms += 100) {
        watched.Clock.Ms += 100;
        watched.Acquisition.RunWatchdogs();
    }
    QCOMPARE(watched.Acquisition.State.Chassis.VehicleSpeed, 0.0);  // no chassis for 6 s
    QVERIFY(!watched.Acquisition.ChannelOpen());
    QCOMPARE(watched.Reports,
             QStringList({"closed", "Rozłączenie", "caption OFFLINE", "caption CONN. LOST"}));

    // The next Connect and sample show ONLINE again although the last caption came from here.
    watched.Acquisition.Connect(0x001C);
    watched.Bus.Device()->Inject({ProductionSample});
    watched.Acquisition.Drain();
    QVERIFY(watched.Reports.contains("caption ONLINE "));
}

void tst_uAcquisition::demoSamplesTakeTheSameWay()
{
    TWatched watched;
    watched.Acquisition.State.Sensors[1].FrameCounter = 7;
    watched.Acquisition.CompleteDemoSample(7);
    QCOMPARE(watched.First.Samples, (QList<QPair<int, int>>{{7, 7}}));
    QCOMPARE(watched.Second.Samples, watched.First.Samples);
    QVERIFY(watched.Reports.isEmpty());  // a demo sample is no sign of the unit
}

void tst_uAcquisition::watchdogs_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("production");
    QTest::addColumn<int>("sinceSample");   // ms
    QTest::addColumn<int>("sinceChassis");  // ms
    QTest::addColumn<int>(
        "sinceStall");  // ms since the program's own stall of 20 s ended; -1: none
    QTest::addColumn<bool>("zeroSpeed");
    QTest::addColumn<bool>("lost");
    QTest::newRow("15.9 s") << true << true << 15900 << 0 << -1 << false << false;
    QTest::newRow("16.0 s") << true << true << 16000 << 0 << -1 << false << true;
    QTest::newRow("chassis 5.9 s") << true << true << 0 << 5900 << -1 << false << false;
    QTest::newRow("chassis 6 s") << true << true << 0 << 6000 << -1 << true << false;
    QTest::newRow("test protocol") << true << false << 0 << 60000 << -1 << false << false;
    QTest::newRow("not online yet") << false << true << 600000 << 600000 << -1 << false << false;
    QTest::newRow("just after a stall") << true << true << 20100 << 20100 << 100 << false << false;
    QTest::newRow("15.9 s after a stall")
        << true << true << 35900 << 35900 << 15900 << true << false;
    QTest::newRow("16 s after a stall") << true << true << 36000 << 36000 << 16000 << true << true;
}

void tst_uAcquisition::watchdogs()
{
    QFETCH(bool, online);
    QFETCH(bool, production);
    QFETCH(int, sinceSample);
    QFETCH(int, sinceChassis);
    QFETCH(int, sinceStall);
    QFETCH(bool, zeroSpeed);
    QFETCH(bool, lost);
    const qint64 now = 1000000;
    TListening listening;
    if (sinceStall >= 0) {
        NoteDisplayTick(listening, now - sinceStall - 20000);
        for (qint64 tick = now - sinceStall; tick <= now; tick += 100)
            NoteDisplayTick(listening, tick);
    }
    TAcquisitionState state;
    state.SensorOnline = online;
    state.ProtocolEnv = production ? TProtocolEnv::peProduction : TProtocolEnv::peTest;
    state.LastSensorFrameTick = now - sinceSample;
    state.Chassis.LastFrameTick = now - sinceChassis;
    // The wall-clock stamps are far off, as after a clock change: they must not matter.
    state.LastSensorFrameTime = -1000;
    state.Chassis.LastFrameTime = 1000;
    const TWatchdogVerdict verdict = CheckWatchdogs(state, listening, now);
    QCOMPARE(verdict.ZeroSpeed, zeroSpeed);
    QCOMPARE(verdict.ConnectionLost, lost);
}

QTEST_MAIN(tst_uAcquisition)
#include "tst_uAcquisition.moc"
