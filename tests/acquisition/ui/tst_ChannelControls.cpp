// The channel as the main window runs it: Connect, Disconnect, the CAN tick, the status caption,
// the traffic window and the watchdogs, on a fake bus.

#include "acquisition/ui/uHealthLine.h"
#include "adapter/ui/uCanBusBox.h"
#include "app/ui/uLoggingPage.h"
#include "display/ui/uChartPanel.h"
#include "display/ui/uChartView.h"
#include "display/ui/uReadoutsBox.h"
#include "support/uMainWindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class tst_ChannelControls : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void connectOpensTheFirstUsbChannelAtTheListedSpeed();
    void aSpeedChosenWhileConnectedWaitsForTheNextConnect();
    void failedConnectChangesOnlyTheTrafficLog();
    void aBackendThatGivesUpAfterConnectIsAFailedConnect();
    void aLongReasonIsShownWhole();
    void disconnectResetsEvenWhenClosingFails();
    void pollingDrainsTheQueueAndSurvivesADeadAdapter();
    void framesReachStatusChartAndTrafficWindow();
    void testProtocolShowsTheFirmware();
    void aSilentUnitDropsTheConnection();
    void aStallOfTheWindowIsNoLostConnection();
};

void tst_ChannelControls::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

void tst_ChannelControls::connectOpensTheFirstUsbChannelAtTheListedSpeed()
{
    TFakeCanBus bus;
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.Session().Acquisition.State.Sensors[1].TiltX = 4.5;
    QTest::mouseClick(main.Pages().tsLogging->GroupBox4->btnInit, Qt::LeftButton);

    QCOMPARE(main.Session().Acquisition.CanChannel, PCAN_USBBUS1);
    QCOMPARE(main.Session().CanBaudrate, TPCANBaudrate(0x011C));
    QCOMPARE(bus.LastBitRate.toInt(), 250000);
    QVERIFY(main.Session().TimerCan.isActive());
    QVERIFY(!main.Pages().tsLogging->GroupBox4->btnInit->isEnabled());
    QVERIFY(main.Pages().tsLogging->GroupBox4->btnRelease->isEnabled());
    QCOMPARE(main.Session().Acquisition.State.Sensors[1].TiltX, 0.0);
    QCOMPARE(TrafficLines(windows), QStringLiteral("Połączenie"));
}

void tst_ChannelControls::aSpeedChosenWhileConnectedWaitsForTheNextConnect()
{
    TFakeCanBus bus;
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.btnInitClick();
    main.Pages().tsLogging->cbbBaudrates->setCurrentIndex(
        2);  // as the settings dialog sets it: no change event
    QCOMPARE(main.Session().CanBaudrate, TPCANBaudrate(0x011C));
    QCOMPARE(bus.Created, 1);
    main.btnReleaseClick();
    main.btnInitClick();
    QCOMPARE(main.Session().CanBaudrate, TPCANBaudrate(0x001C));
    QCOMPARE(bus.LastBitRate.toInt(), 500000);
}

void tst_ChannelControls::failedConnectChangesOnlyTheTrafficLog()
{
    TFakeCanBus bus({.openFails = true});
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.Pages().tsLogging->GroupBox4->lCANStatus->setText(QStringLiteral("CONN. LOST"));
    main.Session().Acquisition.State.Sensors[1].LTR = 0.7;
    main.Session().Acquisition.State.Chassis.VehicleSpeed = 30;

    QTest::ignoreMessage(QtWarningMsg, "CAN channel could not be opened: adapter not plugged in");
    QTest::mouseClick(main.Pages().tsLogging->GroupBox4->btnInit, Qt::LeftButton);

    QVERIFY(main.Pages().tsLogging->GroupBox4->btnInit->isEnabled());
    QVERIFY(!main.Pages().tsLogging->GroupBox4->btnRelease->isEnabled());
    QVERIFY(!main.Session().TimerCan.isActive());
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("CONN. LOST"));
    QCOMPARE(main.Session().Acquisition.State.Sensors[1].LTR, 0.0);  // cleared before the attempt
    QCOMPARE(main.Session().Acquisition.State.Chassis.VehicleSpeed, 0.0);
    QCOMPARE(TrafficLines(windows), QStringLiteral("błąd otwarcia\nadapter not plugged in"));
}

// Not silence: the buttons return, the traffic window and the health line tell why.
void tst_ChannelControls::aBackendThatGivesUpAfterConnectIsAFailedConnect()
{
    TFakeCanBus bus({.connectsLater = true});
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    QTest::mouseClick(main.Pages().tsLogging->GroupBox4->btnInit, Qt::LeftButton);
    QVERIFY(main.Pages().tsLogging->GroupBox4->btnRelease->isEnabled());

    bus.Device()->FailConnecting();
    QTest::ignoreMessage(QtWarningMsg,
                         "CAN channel could not be opened: no answer from the bus server");
    main.Session().TimerCanTimer();
    main.Session().Timer1Timer();
    QVERIFY(main.Pages().tsLogging->GroupBox4->btnInit->isEnabled());
    QVERIFY(!main.Pages().tsLogging->GroupBox4->btnRelease->isEnabled());
    QVERIFY(!main.Session().TimerCan.isActive());
    QCOMPARE(TrafficLines(windows),
             QStringLiteral("Połączenie\nbłąd otwarcia\nno answer from the bus server"));
    QCOMPARE(main.Pages().lHealth->text(),
             QStringLiteral("the adapter could not be opened: no answer from the bus server"));
}

// What to do after a failed Connect takes more than the bar's width: the bar grows to show all
// of it, and shrinks back to one line after it.
void tst_ChannelControls::aLongReasonIsShownWhole()
{
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.show();
    THealthLine &health = *main.Pages().lHealth;
    const int oneLine = health.fontMetrics().height();
    health.Show(
        {QStringLiteral("bring it up with: sudo ip link set can0 down && ").repeated(8), true, {}});
    QTRY_VERIFY(health.height() > 2 * oneLine);
    QCOMPARE(health.height(), health.heightForWidth(health.width()));
    health.Show({QStringLiteral("not connected"), false, {}});
    QTRY_VERIFY(health.height() < 2 * oneLine);
}

void tst_ChannelControls::disconnectResetsEvenWhenClosingFails()
{
    TFakeCanBus bus({.closeFails = true});
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.btnInitClick();
    main.Session().Acquisition.State.SensorOnline = true;
    main.Session().Acquisition.State.Sensors[1].TiltY = -3;
    main.Pages().tsLogging->GroupBox4->lCANStatus->setText(QStringLiteral("ONLINE "));

    QTest::mouseClick(main.Pages().tsLogging->GroupBox4->btnRelease, Qt::LeftButton);

    QVERIFY(!main.Session().TimerCan.isActive());
    QVERIFY(main.Pages().tsLogging->GroupBox4->btnInit->isEnabled());
    QVERIFY(!main.Pages().tsLogging->GroupBox4->btnRelease->isEnabled());
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("OFFLINE"));
    QVERIFY(!main.Session().Acquisition.State.SensorOnline);
    QCOMPARE(main.Session().Acquisition.State.Sensors[1].TiltY, 0.0);
    QVERIFY(!TPCANBasic::Device());
    QCOMPARE(TrafficLines(windows), QStringLiteral("Połączenie\nRozłączenie"));
}

void tst_ChannelControls::pollingDrainsTheQueueAndSurvivesADeadAdapter()
{
    TFakeCanBus bus;
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.btnInitClick();
    bus.Device()->Inject(QList<QCanBusFrame>(5000, ExtendedFrame(0x18FECE47, QByteArray(8, '\0'))));
    main.Session().TimerCanTimer();
    QCOMPARE(bus.Device()->framesAvailable(), 0);

    bus.Device()->Inject({ExtendedFrame(0x18FECE47, QByteArray(8, '\0'))});
    bus.Device()->Die();
    main.Session().TimerCanTimer();  // returns: a dead adapter ends the tick
    QVERIFY(main.Pages().tsLogging->GroupBox4->btnRelease->isEnabled());
}

void tst_ChannelControls::framesReachStatusChartAndTrafficWindow()
{
    TFakeCanBus bus;
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.btnInitClick();
    bus.Device()->Inject({ExtendedFrame(0x18FECF10, QByteArray::fromHex("0019000000000000")),
                          ExtendedFrame(0x18FECE47, QByteArray::fromHex("0023282328C8643C")),
                          ExtendedFrame(0x18FECE47, QByteArray::fromHex("0023282328C8643C"))});
    main.Session().TimerCanTimer();
    main.Session().Timer1Timer();  // draws the chart
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("ONLINE "));
    QVERIFY(main.Session().Acquisition.State.SensorOnline);
    QCOMPARE(main.Session().Acquisition.State.Chassis.VehicleSpeed, 25.0);
    QCOMPARE(main.Session().Acquisition.State.Sensors[1].AccX, 1.0);
    QCOMPARE(main.Pages().tsLogging->ChartPanel->Chart1->DrawnPoints(csAccX), 2);
    QCOMPARE(main.Chart().Points(csLTR).at(1), QPointF(0.01, 0.6));
    QCOMPARE(TrafficLines(windows), QStringLiteral("Połączenie\n"
                                                   "data chassis CAN:00 19 00 00 00 00 00 00\n"
                                                   "data CAN1:00 23 28 23 28 C8 64 3C\n"
                                                   "data CAN1:00 23 28 23 28 C8 64 3C"));
}

void tst_ChannelControls::testProtocolShowsTheFirmware()
{
    TFakeCanBus bus;
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    main.Session().Acquisition.State.ProtocolEnv = TProtocolEnv::peTest;
    main.Session().Acquisition.State.CanId1 = QStringLiteral("18FEDC10");
    main.btnInitClick();
    bus.Device()->Inject({ExtendedFrame(0x18FEDC10, QByteArray::fromHex("0064000000000000")),
                          ExtendedFrame(0x18FEDC11, QByteArray::fromHex("09C4000F1701F403"))});
    main.Session().TimerCanTimer();
    main.Session().Timer1Timer();
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("ONLINE v2.3"));
    QCOMPARE(main.Pages().tsLogging->ChartPanel->Chart1->DrawnPoints(csTiltX), 1);
}

void tst_ChannelControls::aSilentUnitDropsTheConnection()
{
    TOnlineWindow online;
    TfrmMain &main = online.Main;
    TFakeClock &clock = online.Clock;
    QVERIFY(main.Session().Acquisition.State.SensorOnline);

    // The display ticks every 100 ms: the program listened all the time.
    const auto tickFor = [&](int ms) {
        for (int elapsed = 0; elapsed < ms; elapsed += 100) {
            clock.Ms += 100;
            main.Session().Timer1Timer();
        }
    };
    tickFor(15900);
    QVERIFY(main.Session().Acquisition.State.SensorOnline);
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("ONLINE "));

    tickFor(100);
    QVERIFY(!main.Session().Acquisition.State.SensorOnline);
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("CONN. LOST"));
    QVERIFY(main.Pages().tsLogging->GroupBox4->btnInit->isEnabled());
    QVERIFY(!main.Session().TimerCan.isActive());
    QVERIFY(!TPCANBasic::Device());
    QCOMPARE(main.Session().Acquisition.State.Sensors[1].AccX, 0.0);
    main.Session().Timer1Timer();
    QCOMPARE(main.Pages().tsLogging->Readouts->lGWzdluzne->text(), QStringLiteral("0,000"));
}

// The window's own thread stalls for 20 s while the unit goes on sending: no false
// "CONN. LOST", and the samples that waited in the queue are all decoded.
void tst_ChannelControls::aStallOfTheWindowIsNoLostConnection()
{
    TOnlineWindow online;
    TfrmMain &main = online.Main;
    main.Session().Timer1Timer();
    const int before = main.Session().Acquisition.State.Sensors[1].FrameCounter;

    online.Clock.Ms += 20000;
    online.Bus.Device()->Inject(QList<QCanBusFrame>(2000, ProductionSample));
    main.Session().Timer1Timer();  // the display tick may come before the CAN tick
    main.Session().TimerCanTimer();
    QVERIFY(main.Session().Acquisition.State.SensorOnline);
    QCOMPARE(main.Session().Acquisition.State.Sensors[1].FrameCounter, (before + 2000) % 256);
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("ONLINE "));
}

QTEST_MAIN(tst_ChannelControls)
#include "tst_ChannelControls.moc"
