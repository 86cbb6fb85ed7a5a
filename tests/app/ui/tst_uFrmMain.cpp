#include "acquisition/ui/uCalibrationPage.h"
#include "acquisition/ui/uCoefficientsBox.h"
#include "acquisition/ui/uFrmLogCAN.h"
#include "adapter/ui/uCanBusBox.h"
#include "app/ui/uFrmChangeLog.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uFrmSplashScreen.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "display/ui/uCarBox.h"
#include "display/ui/uChartPanel.h"
#include "display/ui/uChartView.h"
#include "display/ui/uLtrBox.h"
#include "display/ui/uReadoutsBox.h"
#include "display/ui/uStatusBox.h"
#include "display/ui/uVisualisationPage.h"
#include "settings/ui/uFrmSettings.h"
#include "sim/uSimulatedUnit.h"
#include "speed/ui/uSpeedSimBox.h"
#include "support/uCountingSound.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"
#include "support/uMainWindowFixture.h"
#include "support/uModal.h"
#include "widgets/uLook.h"
#include "widgets/uPictures.h"
#include "widgets/uRadioGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSlider>

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class tst_uFrmMain : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startsWithItsDefaults();
    void menuAndPages();
    void logCanItemFollowsTheCommandLine_data();
    void logCanItemFollowsTheCommandLine();
    void settingsChooseTheAdapterOfTheNextConnect();
    void movingTheThresholdRaisesTheAlarmAtOnce();
    void chartControlsClearTheChart();
    void refreshShowsReadoutsStatusLampsAndZones();
    void testProtocolShowsTemperatureInTheSpeedsPlace();
    void readoutsHoldTheirWidestValues();
    void picturesNeverAccumulateTurns();
};

void tst_uFrmMain::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

void tst_uFrmMain::startsWithItsDefaults()
{
    TWindowSet windows = Start({});
    TfrmMain &main = *windows.frmMain;
    QCOMPARE(main.windowTitle(), QStringLiteral("Logger TELQAR"));
    QCOMPARE(main.Session().Log.LogFileName, QStringLiteral("log.csv"));
    QCOMPARE(main.Session().Log.LogFileIndex, 0);
    QVERIFY(!main.Session().Log.LogActive());
    QCOMPARE(main.Chart().ChartMaxPoints, 1500);
    QCOMPARE(main.Session().Acquisition.State.CanId1, QStringLiteral("18FECE47"));
    QVERIFY(main.Session().Acquisition.State.CanId2.isEmpty() && main.Session().Acquisition.State.CanId3.isEmpty());
    QCOMPARE(main.Session().Acquisition.State.ChassisCanId, QStringLiteral("18FECF10"));
    QCOMPARE(main.Session().Acquisition.State.ProtocolEnv, TProtocolEnv::peProduction);
    QCOMPARE(main.Pages().tsLogging->lCANProtocol->text(), QStringLiteral("production env."));
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->text(), QStringLiteral("OFFLINE"));
    QVERIFY(main.Pages().tsLogging->GroupBox4->btnInit->isEnabled());
    QVERIFY(!main.Pages().tsLogging->GroupBox4->btnRelease->isEnabled());
    QCOMPARE(main.Pages().tsLogging->cbbBaudrates->currentText(), QStringLiteral("250 kBit/sec"));
    QVERIFY(main.Pages().tsLogging->cbbBaudrates->isHidden());

    QCOMPARE(main.Session().Timer1.interval(), 100);
    QCOMPARE(main.Session().TimerCan.interval(), 50);
    QCOMPARE(main.Session().Ltr()->TimerLTR.interval(), 3000);
    QCOMPARE(main.Pages().tsLogging->SpeedSim->TimerSimSpeed.interval(), 20);
    QVERIFY(main.Session().Timer1.isActive());
    QVERIFY(!main.Session().TimerCan.isActive() && !main.Session().Ltr()->TimerLTR.isActive()
            && !main.Pages().tsLogging->SpeedSim->TimerSimSpeed.isActive());
    QCOMPARE(main.minimumSize(), QSize(1024, 716));

    QCOMPARE(windows.secondary.frmSplashScreen->windowTitle(), QStringLiteral("About"));
    QCOMPARE(windows.secondary.frmSettings->windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(windows.secondary.frmChangeLog->windowTitle(), QStringLiteral("Changelog"));
    QCOMPARE(windows.secondary.frmLogCAN->windowTitle(), QStringLiteral("Log CAN"));
    QCOMPARE(main.Pages().tsLogging->GroupBox4->lCANStatus->accessibleDescription(),
             QStringLiteral("CAN status"));
}

void tst_uFrmMain::menuAndPages()
{
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    QStringList top;
    for (QAction *action : main.menuBar()->actions())
        top << action->text();
    QCOMPARE(top, (QStringList{"File", "Settings", "Help"}));
    QStringList file;
    for (QAction *action : main.Menu().Plik1->actions())
        file << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(file, (QStringList{"Save as", "Log CAN", "Keep raw trace", "Drive report…", "-",
                                "Close"}));
    QCOMPARE(main.Menu().Oprogramie1->text(), QStringLiteral("About"));
    QCOMPARE(main.Menu().Changelog1->text(), QStringLiteral("Changelog"));

    QCOMPARE(main.Pages().PageControl1->count(), 3);
    QCOMPARE(main.Pages().PageControl1->tabText(0), QStringLiteral("Logging"));
    QCOMPARE(main.Pages().PageControl1->tabText(1), QStringLiteral("Visualisation"));
    QCOMPARE(main.Pages().PageControl1->tabText(2), QStringLiteral("Calibration"));
    QCOMPARE(main.Pages().PageControl1->currentWidget(), main.Pages().tsLogging);

    main.Menu().menuLogCan->trigger();
    QVERIFY(windows.secondary.frmLogCAN->isVisible());
    QVERIFY(!windows.secondary.frmLogCAN->isModal());

    main.show();
    main.Menu().Koniec1->trigger();
    QVERIFY(!main.isVisible());
}

void tst_uFrmMain::logCanItemFollowsTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("title");
    const QString plain = QStringLiteral("Logger TELQAR");
    QTest::newRow("D") << QStringList{"D"} << true << plain;
    QTest::newRow("d") << QStringList{"d"} << true << plain;
    QTest::newRow("/D") << QStringList{"/D"} << false << plain;
    QTest::newRow("-d") << QStringList{"-d"} << false << plain;
    QTest::newRow("none") << QStringList{} << false << plain;
    QTest::newRow("simulated") << QStringList{"--can=sim", "d"} << true
                               << "Logger TELQAR (simulated unit)";
}

void tst_uFrmMain::logCanItemFollowsTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, visible);
    QFETCH(QString, title);
    TFakeCanBus bus;
    TWindowSet windows = Start(arguments);
    TfrmMain &main = *windows.frmMain;
    QCOMPARE(main.Menu().menuLogCan->isVisible(), visible);
    QCOMPARE(main.Session().Acquisition.TrafficWanted, visible);
    QCOMPARE(main.windowTitle(), title);

    // Without "D" no CAN line is ever recorded.
    main.btnInitClick();
    main.btnReleaseClick();
    QCOMPARE(TrafficLines(windows).isEmpty(), !visible);
}

void tst_uFrmMain::settingsChooseTheAdapterOfTheNextConnect()
{
    TFakeCanBus bus;
    int searches = 0;
    TMainSeams seams;
    seams.findAdapters = [&searches] {
        ++searches;
        return QList<TFoundAdapter>{{"socketcan", "can0", {}, true, 250000}};
    };
    TWindowSet windows =
        TWindowSet::Create(ParseCommandLine({QStringLiteral("--can=peakcan:usb0")}), seams);
    TfrmMain &main = *windows.frmMain;
    QCOMPARE(main.Pages().lAdapter->text(), QStringLiteral("Adapter: peakcan:usb0"));
    OnNextModal([](QWidget *modal) {
        auto *dialog = qobject_cast<TFrmSettings *>(modal);
        dialog->cbbAdapter->setCurrentIndex(dialog->cbbAdapter->findData(QStringLiteral("sim")));
        dialog->Button1->click();
    });
    main.Ustawienia1Click();
    QCOMPARE(searches, 1);  // found anew at each opening
    QCOMPARE(main.windowTitle(), QStringLiteral("Logger TELQAR (simulated unit)"));
    QCOMPARE(main.Pages().lAdapter->text(), QStringLiteral("Adapter: simulated unit"));

    main.btnInitClick();
    QVERIFY(dynamic_cast<TSimulatedUnit *>(TPCANBasic::Device()));
    main.btnReleaseClick();
}

void tst_uFrmMain::movingTheThresholdRaisesTheAlarmAtOnce()
{
    TCountingSound sound;
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}), {nullptr, &sound});
    TfrmMain &main = *windows.frmMain;
    QCOMPARE(main.Pages().tsLogging->gbLTR->lLTRthreshold->text(), QStringLiteral("0,5"));
    main.Session().Acquisition.State.Sensors[1].LTR = 0.4;
    main.Session().Timer1Timer();
    QVERIFY(!main.Session().Ltr()->LtrAlarmActive());
    QCOMPARE(main.Pages().tsLogging->gbLTR->lLTR->text(), QStringLiteral("0,400"));

    main.Pages().tsLogging->gbLTR->tbLTRthreshold->setValue(3);
    QCOMPARE(main.Pages().tsLogging->gbLTR->lLTRthreshold->text(), QStringLiteral("0,3"));
    QVERIFY(main.Session().Ltr()->LtrAlarmActive());
    QVERIFY(main.Session().Ltr()->TimerLTR.isActive());
    QCOMPARE(sound.Plays.size(), 1);
    QCOMPARE(main.Pages().tsLogging->gbLTR->lLTR->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    main.Session().Ltr()->TimerLTRTimer();  // not online: the repetition stays silent
    QCOMPARE(sound.Plays.size(), 1);
    main.Session().Acquisition.State.SensorOnline = true;
    main.Session().Ltr()->TimerLTRTimer();
    QCOMPARE(sound.Plays.size(), 2);

    main.Session().Acquisition.State.Sensors[1].LTR = 0.3;
    main.Session().Timer1Timer();
    QVERIFY(!main.Session().Ltr()->TimerLTR.isActive());
    QCOMPARE(main.Pages().tsLogging->gbLTR->lLTR->palette().color(QPalette::WindowText), QColor(Qt::white));
}

void tst_uFrmMain::chartControlsClearTheChart()
{
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    TChartPanel &panel = *main.Pages().tsLogging->ChartPanel;
    main.Session().Acquisition.State.Sensors[1].TiltX = 10;
    for (int i = 0; i < 10; ++i)
        main.Chart().AppendChartSample(main.Session().Acquisition.State.Sensors[1]);
    panel.Refresh();
    QCOMPARE(panel.Chart1->DrawnPoints(csTiltY), 10);

    QTest::mouseClick(panel.cbKatPoprzeczny, Qt::LeftButton);
    QCOMPARE(panel.Chart1->DrawnPoints(csTiltX), 0);
    QCOMPARE(panel.Chart1->DrawnPoints(csTiltY), 0);
    QVERIFY(!main.Chart().SeriesOn(csTiltY));
    QCOMPARE(panel.ldtxs->text(), QStringLiteral("10,0° / scale"));

    panel.rgSkalaKata->Item(0)->click();
    QCOMPARE(panel.Chart1->LeftAxis().Minimum, -1.0);
    QCOMPARE(panel.Chart1->LeftAxis().Increment, 0.1);
    panel.rgSkalaG->Item(2)->click();
    QCOMPARE(panel.Chart1->RightAxis().Maximum, 2.0);
    panel.cbOsXProbki->setChecked(true);
    panel.rgSkalaCzasu->Item(0)->click();
    QCOMPARE(panel.Chart1->BottomAxis().Maximum, 500.0);
    QCOMPARE(main.Chart().ChartMaxPoints, 500);
    QVERIFY(panel.gbAnaliza->isHidden());
    QVERIFY(main.Pages().tsCalibration->gbWspolczynniki->isHidden()
            && !main.Pages().tsCalibration->gbWspolczynniki->isEnabled());
}

void tst_uFrmMain::refreshShowsReadoutsStatusLampsAndZones()
{
    {
        QFile ini(QStringLiteral("opisy.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[opisy]\r\nstatus1=Przechył krytyczny\r\n");
    }
    TWindowSet windows = Start();
    QFile::remove(QStringLiteral("opisy.ini"));
    TfrmMain &main = *windows.frmMain;
    TSensorSample &unit = main.Session().Acquisition.State.Sensors[1];
    unit.TiltX = -30;
    unit.TiltY = 15;
    unit.AccX = 0.25;
    unit.Status = 0x45;
    main.Session().Acquisition.State.Chassis.VehicleSpeed = 1213.71;
    main.Session().Timer1Timer();

    QCOMPARE(main.Pages().tsLogging->Readouts->lWzdluzny->text(), QStringLiteral("-30,0°"));
    QCOMPARE(main.Pages().tsLogging->Readouts->lPoprzeczny->text(), QStringLiteral("15,0°"));
    QCOMPARE(main.Pages().tsLogging->Readouts->lGWzdluzne->text(), QStringLiteral("0,250"));
    QCOMPARE(main.Pages().tsLogging->Readouts->lSpeed->text(), QStringLiteral("1213,7"));
    QCOMPARE(main.Pages().tsLogging->Readouts->lWzdluzny->accessibleDescription(),
             QStringLiteral("Tilt angle X"));

    const auto shown = [](QWidget *w) { return !w->isHidden(); };
    QCOMPARE(main.Pages().tsLogging->gbStatus->lStatus[0]->text(), QStringLiteral("Przechył krytyczny"));
    QCOMPARE(main.Pages().tsLogging->gbStatus->lStatus[2]->text(), QStringLiteral("status3"));
    QVERIFY(shown(main.Pages().tsLogging->gbStatus->lStatus[0])
            && shown(main.Pages().tsLogging->gbStatus->lStatus[2])
            && shown(main.Pages().tsLogging->gbStatus->lStatus[6]));
    QVERIFY(!shown(main.Pages().tsLogging->gbStatus->lStatus[1])
            && !shown(main.Pages().tsLogging->gbStatus->lStatus[7]));
    QVERIFY(shown(main.Pages().tsVisualisation->imgTrojkat));

    // TiltX −30: the three lower lamps of the left column; TiltY 15: the two lower right. A
    // dark lamp shows the backing's grey.
    const auto lit = [](QWidget *w) {
        return w->palette().color(QPalette::Window) != QColor(128, 128, 128);
    };
    QList<bool> left, right;
    for (int i = 0; i < 6; ++i) {
        left << lit(main.Pages().tsLogging->gbCar->LeftLamps[size_t(i)]);
        right << lit(main.Pages().tsLogging->gbCar->RightLamps[size_t(i)]);
    }
    QCOMPARE(left, (QList<bool>{false, false, false, true, true, true}));
    QCOMPARE(right, (QList<bool>{false, false, false, true, true, false}));
    QCOMPARE(main.Pages().tsLogging->gbCar->LeftLamps[3]->objectName(), QStringLiteral("shXL1"));

    TVisualisationPage &vis = *main.Pages().tsVisualisation;
    QVERIFY(shown(vis.RightOverlays[1]) && !shown(vis.RightOverlays[0]));  // imgRupYR
    QVERIFY(shown(vis.LeftOverlays[0]) && !shown(vis.LeftOverlays[1]));    // imgLupY
    QCOMPARE(vis.RightOverlays[1]->objectName(), QStringLiteral("imgRupYR"));
    QCOMPARE(vis.lVisX->text(), QStringLiteral("-30,0°"));
    QCOMPARE(vis.imgVisX->Angle(), -30);
    QCOMPARE(main.Pages().tsLogging->gbCar->imgPoprzeczny->Angle(), 15);

    main.btnInitClick();  // without an adapter: fails, but hides the status texts first
    QVERIFY(!shown(main.Pages().tsLogging->gbStatus->lStatus[0]));
}

void tst_uFrmMain::testProtocolShowsTemperatureInTheSpeedsPlace()
{
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    TReadoutsBox &readouts = *main.Pages().tsLogging->Readouts;
    QVERIFY(!readouts.lSpeed->isHidden() && readouts.lTemperatura->isHidden()
            && readouts.lKatowa->isHidden());
    main.Session().Acquisition.State.ProtocolEnv = TProtocolEnv::peTest;
    main.ShowProtocolEnv();
    QVERIFY(readouts.lSpeed->isHidden() && !readouts.lTemperatura->isHidden()
            && !readouts.lKatowa->isHidden());
    QCOMPARE(main.Pages().tsLogging->lCANProtocol->text(), QStringLiteral("test protocol"));
    const auto rowOf = [&readouts](QWidget *widget) {
        auto *grid = qobject_cast<QGridLayout *>(readouts.gbSpeed->layout());
        int row, column, rows, columns;
        grid->getItemPosition(grid->indexOf(widget), &row, &column, &rows, &columns);
        return row;
    };
    QCOMPARE(rowOf(readouts.lTemperatura), rowOf(readouts.lSpeed));
    QVERIFY(rowOf(readouts.lKatowa) > rowOf(readouts.lTemperatura));
    QVERIFY(readouts.lHeating->isHidden() && readouts.Label9->isHidden());
}

// A value cut at the left loses its minus sign: each readout is as wide as the widest value
// the decoders can give it.
void tst_uFrmMain::readoutsHoldTheirWidestValues()
{
    TWindowSet windows = Start();
    TfrmMain &main = *windows.frmMain;
    for (bool lowest : {true, false}) {
        const auto pick = [lowest](TValueRange range) {
            return lowest ? range.Lowest : range.Highest;
        };
        TSensorSample &unit = main.Session().Acquisition.State.Sensors[1];
        unit.TiltX = unit.TiltY = pick(DecodedRange::Tilt);
        unit.AccX = unit.AccY = pick(DecodedRange::Acceleration);
        unit.LTR = pick(DecodedRange::Ltr);
        unit.AngularVelocity = pick(DecodedRange::AngularVelocity);
        unit.Temperature = pick(DecodedRange::Temperature);
        main.Session().Acquisition.State.Chassis.VehicleSpeed = pick(DecodedRange::Speed);
        main.Session().Timer1Timer();
        const TReadoutsBox &r = *main.Pages().tsLogging->Readouts;
        for (QLabel *label : {r.lWzdluzny, r.lPoprzeczny, r.lGWzdluzne, r.lGPoprzeczne, r.lSpeed,
                              r.lKatowa, r.lTemperatura, main.Pages().tsLogging->gbLTR->lLTR}) {
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= label->contentsRect().width(),
                     qPrintable(label->objectName() + QLatin1Char(' ') + label->text()));
        }
    }
}

void tst_uFrmMain::picturesNeverAccumulateTurns()
{
    TRotatingPicture once(QStringLiteral(":/assets/vehicle_rear.svg"), "once");
    TRotatingPicture twice(QStringLiteral(":/assets/vehicle_rear.svg"), "twice");
    once.resize(125, 125);
    twice.resize(125, 125);
    twice.SetAngle(10);
    twice.SetAngle(20);
    once.SetAngle(20);
    QCOMPARE(twice.Shown(), once.Shown());
    twice.SetAngle(0);
    once.SetAngle(-20);
    once.SetAngle(0);
    QCOMPARE(twice.Shown(), once.Shown());
}

QTEST_MAIN(tst_uFrmMain)
#include "tst_uFrmMain.moc"
