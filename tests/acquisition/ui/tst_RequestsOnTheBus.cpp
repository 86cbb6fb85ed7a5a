// What the program itself puts on the bus: calibration requests and the simulated speed.

#include "acquisition/ui/uCalibrationPage.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "speed/ui/uSerialSourceBox.h"
#include "speed/ui/uSpeedSimBox.h"
#include "support/uFakeCanDevice.h"
#include "support/uModal.h"
#include "support/uPseudoTerminal.h"
#include "widgets/uLook.h"
#include "widgets/uRadioGroup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

struct TConnected {
    explicit TConnected(TFakeBehaviour behaviour = {}) : Bus(behaviour) { Main.btnInitClick(); }
    void Online()
    {
        Bus.Device()->Inject({ExtendedFrame(0x18FECE47, QByteArray(8, '\0'))});
        Main.Session().TimerCanTimer();
    }
    QList<QCanBusFrame> &Written() { return Bus.Device()->Written; }

    TFakeCanBus Bus;
    TWindowSet Windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &Main = *Windows.frmMain;
};

}  // namespace

class tst_RequestsOnTheBus : public QObject
{
    Q_OBJECT
private slots:
    void calibrationButtonsFollowTheStateWhenShown()
    {
        TConnected bus;
        TCalibrationPage &page = *bus.Main.Pages().tsCalibration;
        bus.Main.Pages().PageControl1->setCurrentWidget(&page);
        QVERIFY(!page.btnCalibrate->isEnabled());  // shown before the first sample
        bus.Online();
        QVERIFY(!page.btnCalibrateFactory->isEnabled());  // until shown again
        bus.Main.Pages().PageControl1->setCurrentIndex(0);
        bus.Main.Pages().PageControl1->setCurrentWidget(&page);
        QVERIFY(page.btnCalibrate->isEnabled() && page.btnCalibrateReset->isEnabled());

        QTest::mouseClick(page.btnCalibrateFactory, Qt::LeftButton);
        QCoreApplication::processEvents();  // the button answers after the click
        QCOMPARE(bus.Written().size(), 1);
        QCOMPARE(bus.Written().first().frameId(), 0x18FAFD25u);
        QVERIFY(bus.Written().first().hasExtendedFrameFormat());
        QCOMPARE(bus.Written().first().payload(), QByteArray::fromHex("01"));

        bus.Main.btnReleaseClick();  // the buttons stay enabled, but nothing is sent
        QVERIFY(page.btnCalibrate->isEnabled());
        QTest::mouseClick(page.btnCalibrate, Qt::LeftButton);
        QCoreApplication::processEvents();  // the button answers after the click
        QVERIFY(!TPCANBasic::Device());
    }

    void aRefusedRequestIsReported()
    {
        TConnected bus({.writeFails = true});
        bus.Online();
        QString said;
        OnNextModal([&said](QWidget *box) {
            said = static_cast<QMessageBox *>(box)->text();
            box->close();
        });
        bus.Main.Pages().tsCalibration->RequestCalibration(2);
        QCOMPARE(said, QStringLiteral("Error sending calibration request"));
    }

    void simulatedSpeedGoesOutEveryTick()
    {
        TConnected bus;
        TSpeedSimBox &sim = *bus.Main.Pages().tsLogging->SpeedSim;
        sim.rgDemoSpeed->Item(2)->click();
        QVERIFY(bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeed.isActive());
        bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeedTimer();
        QVERIFY(bus.Written().isEmpty());  // not online yet
        QCOMPARE(sim.lSimSpeed->palette().color(QPalette::WindowText), QColor(Qt::white));

        bus.Online();
        bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeedTimer();
        QCOMPARE(bus.Written().size(), 1);
        QCOMPARE(bus.Written().first().frameId(), 0x18FECF10u);
        QCOMPARE(bus.Written().first().payload(), QByteArray::fromHex("001E010000000000"));
        QCOMPARE(sim.lSimSpeed->palette().color(QPalette::WindowText), QColor(0, 128, 0));

        bus.Main.Session().Acquisition.State.ProtocolEnv = TProtocolEnv::peTest;
        bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeedTimer();
        QCOMPARE(bus.Written().size(), 1);  // the test protocol carries no speed frame
        QCOMPARE(bus.Main.Session().Speed.SourceSpeed, 30.0);

        sim.rgDemoSpeed->Item(0)->click();
        QVERIFY(!bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeed.isActive());
    }

    void theHiddenSwitchAlsoRunsTheTimer()
    {
        TConnected bus;
        TSpeedSimBox &sim = *bus.Main.Pages().tsLogging->SpeedSim;
        sim.rgDemoSpeed->Item(2)->click();
        sim.cbSimSpeedEnable->setChecked(true);
        sim.cbSimSpeedEnable->setChecked(false);
        QVERIFY(!bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeed.isActive());
        QCOMPARE(sim.lSimSpeed->palette().color(QPalette::WindowText), QColor(Qt::white));
        bus.Main.Session().Acquisition.State.ProtocolEnv = TProtocolEnv::peTest;
        bus.Main.ShowProtocolEnv();
        QVERIFY(sim.rgDemoSpeed->isHidden());
    }

    void vboxSpeedIsRelayedUnlessTheSimulationRuns()
    {
        TConnected bus;
        bus.Online();
        QByteArray payload(34, '\0');
        payload[21] = '\x36';  // 3126 hundredths of a knot: 57.89 km/h
        payload[22] = '\x0C';
        bus.Main.Session().Speed.ComDataPacketVBOXPacket(payload);
        QCOMPARE(bus.Written().size(), 1);
        QCOMPARE(bus.Written().first().payload(), QByteArray::fromHex("0039010000000000"));
        QCOMPARE(bus.Main.Pages().tsLogging->SpeedSim->lSimSpeed->text(), QStringLiteral("57.89"));

        bus.Main.Pages().tsLogging->SpeedSim->cbSimSpeedEnable->setChecked(true);
        bus.Main.Session().Speed.ComDataPacketVBOXPacket(payload);
        QCOMPARE(bus.Written().size(), 1);  // the simulation alone sends while it runs
    }

    void gpsSentencesSetTheSpeedAndTheRightPane()
    {
        TConnected bus;
        bus.Main.Session().Speed.ComDataPacketGPSPacket("VTG,054.7,T,034.4,M,005.5,N,010.2,K*48");
        bus.Main.Session().Speed.ComDataPacketGPSPacket("VTG,,T,,M,,N,,K,N*32");  // no fix: nothing changes
        QCOMPARE(bus.Main.Session().Speed.SourceSpeed, 10.2);
        QVERIFY(bus.Written().isEmpty());  // GPS speed never goes on the bus
    }

    // A port that opens: its button in bold, the other plain, the simulation off.
    void aPortThatOpensMakesItsSourceBold()
    {
#ifndef Q_OS_LINUX
        QSKIP("pseudo-terminals are set up for Linux only");
#else
        const TPseudoTerminal terminal;
        QVERIFY(terminal.IsOpen());
        TConnected bus;
        TSerialSourceBox &sources = *bus.Main.Pages().tsLogging->SerialSources;
        bus.Main.Pages().tsLogging->SpeedSim->cbSimSpeedEnable->setChecked(true);
        sources.eComGPS->setText(terminal.SlaveName());
        sources.btnGPSClick();
        QVERIFY(sources.btnGPS->font().bold() && !sources.btnVBOX->font().bold());
        sources.btnVBOXClick();
        QVERIFY(sources.btnVBOX->font().bold() && !sources.btnGPS->font().bold());
        QVERIFY(bus.Main.Session().Speed.Link.ComPortGPS.isOpen());
        QVERIFY(!bus.Main.Pages().tsLogging->SpeedSim->cbSimSpeedEnable->isChecked());
        QVERIFY(!bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeed.isActive());
#endif
    }

    void aPortThatCannotOpenLeavesBothButtonsPlain()
    {
        TConnected bus;
        bus.Main.Pages().tsLogging->SpeedSim->cbSimSpeedEnable->setChecked(true);
        bus.Main.Pages().tsLogging->SerialSources->eComGPS->setText(QStringLiteral("/dev/no-such-port"));
        bus.Main.Pages().tsLogging->SerialSources->btnVBOXClick();
        QVERIFY(!bus.Main.Pages().tsLogging->SerialSources->btnVBOX->font().bold()
                && !bus.Main.Pages().tsLogging->SerialSources->btnGPS->font().bold());
        QVERIFY(!bus.Main.Pages().tsLogging->SpeedSim->cbSimSpeedEnable->isChecked());
        QVERIFY(!bus.Main.Pages().tsLogging->SpeedSim->TimerSimSpeed.isActive());
    }
};

QTEST_MAIN(tst_RequestsOnTheBus)
#include "tst_RequestsOnTheBus.moc"
