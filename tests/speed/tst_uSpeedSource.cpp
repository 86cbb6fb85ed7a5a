// Which source's speed reaches the bus, without a window.

#include "speed/uSpeedSource.h"
#include "support/uEventList.h"
#include "support/uFakeCanDevice.h"
#include "support/uPseudoTerminal.h"

#include <QtTest>

namespace {

// A source on an open fake channel, with unit 1 online in the production environment.
struct TSource {
    TSource()
    {
        Acquisition.CanChannel = PCAN_USBBUS1;
        QCOMPARE(TPCANBasic::Initialize(Acquisition.CanChannel, 0x011C, PCAN_TYPE_ISA, 0, 0),
                 PCAN_ERROR_OK);
        State.SensorOnline = true;
        Source.OnGpsLine = [this](const QString &line) { Lines << line; };
        Source.OnSpeedCaption = [this](const QString &caption) { Caption = caption; };
        Source.OnFrameSent = [this](bool sent) { Sent << sent; };
    }
    QList<QCanBusFrame> &Written() { return Bus.Device()->Written; }

    TFakeCanBus Bus;
    TClock Clock;
    TAcquisition Acquisition{Clock};
    TAcquisitionState &State = Acquisition.State;
    TSpeedSource Source{Acquisition};
    QStringList Lines;
    QString Caption;
    QList<bool> Sent;
};

QByteArray VboxPayload(quint16 hundredthsOfAKnot)
{
    QByteArray payload(34, '\0');
    payload[21] = char(hundredthsOfAKnot & 0xFF);
    payload[22] = char(hundredthsOfAKnot >> 8);
    return payload;
}

}  // namespace

class tst_uSpeedSource : public QObject
{
    Q_OBJECT
private slots:
    void simulationSendsInProductionOnly()
    {
        TSource s;
        s.Source.SimulationTick(2);  // 30 km/h
        QCOMPARE(s.Source.SourceSpeed, 30.0);
        QCOMPARE(s.Written().size(), 1);
        QCOMPARE(s.Written().first().frameId(), 0x18FECF10u);
        QCOMPARE(s.Written().first().payload(), QByteArray::fromHex("001E010000000000"));
        QCOMPARE(s.Sent, QList<bool>{true});

        s.Source.SimulationTick(0);  // demo mode off: nothing to send
        QCOMPARE(s.Source.SourceSpeed, SpeedNotSimulated);
        QCOMPARE(s.Written().size(), 1);

        s.State.ProtocolEnv = TProtocolEnv::peTest;
        s.Source.SimulationTick(3);
        QCOMPARE(s.Written().size(), 1);
    }

    void nothingIsSentBeforeTheUnitIsHeard()
    {
        TSource s;
        s.State.SensorOnline = false;
        s.Source.SimulationTick(3);
        QVERIFY(s.Written().isEmpty() && s.Sent.isEmpty());
    }

    void aChassisIdentifierThatFormsNoFrameIsAFailure()
    {
        TSource s;
        s.State.ChassisCanId = QStringLiteral("18FE CF10");
        s.Source.SimulationTick(1);
        QVERIFY(s.Written().isEmpty());
        QCOMPARE(s.Sent, QList<bool>{false});
    }

    void vboxSpeedIsShownAndRelayedUnlessTheSimulationRuns()
    {
        TSource s;
        s.Source.ComDataPacketVBOXPacket(VboxPayload(3126));  // 57.89 km/h
        QCOMPARE(s.Caption, QStringLiteral("57.89"));
        QCOMPARE(s.Written().size(), 1);
        QCOMPARE(s.Written().first().payload(), QByteArray::fromHex("0039010000000000"));
        QVERIFY(!s.Lines.isEmpty());

        s.Source.SimulationRunning = true;
        s.Source.ComDataPacketVBOXPacket(VboxPayload(1000));
        QCOMPARE(s.Written().size(), 1);
        QCOMPARE(s.Caption, QStringLiteral("18.52"));
    }

    // The choice as it takes effect, not each 20 ms frame: running with "demo mode off" sends
    // nothing, as stopping does.
    void simulationChangesAreReported()
    {
        TSource s;
        TEventList events;
        s.Source.Events = &events;
        s.Source.RunSimulation(true, 2);
        s.Source.SimulationTick(2);
        s.Source.RunSimulation(true, 2);
        s.Source.RunSimulation(true, 3);
        s.Source.RunSimulation(false, 3);
        s.Source.RunSimulation(true, 0);
        s.Source.RunSimulation(true, 1);
        QVERIFY(s.Source.SimulationRunning);
        QCOMPARE(
            events.Lines,
            (QStringList{"speed source | simulation: 30 km/h", "speed source | simulation: 60 km/h",
                         "speed source | simulation: off", "speed source | simulation: 0 km/h"}));
    }

    // The serial source as each switch leaves it: a port that cannot be opened leaves it off.
    void serialSwitchesAreReported()
    {
#ifndef Q_OS_LINUX
        QSKIP("pseudo-terminals are set up for Linux only");
#else
        const TPseudoTerminal terminal;
        QVERIFY(terminal.IsOpen());
        const QString port = terminal.SlaveName();
        const QString missing = QStringLiteral("/dev/no-such-port");
        TSource s;
        TEventList events;
        s.Source.Events = &events;
        QVERIFY(!s.Source.SwitchTo(TSerialLink::TMode::GPS, missing));  // off already
        QVERIFY(s.Source.SwitchTo(TSerialLink::TMode::GPS, port));
        QVERIFY(s.Source.SwitchTo(TSerialLink::TMode::GPS, port));
        QVERIFY(s.Source.SwitchTo(TSerialLink::TMode::VBOX, port));
        QVERIFY(!s.Source.SwitchTo(TSerialLink::TMode::VBOX, missing));
        QCOMPARE(events.Lines, (QStringList{"speed source | serial: GPS on " + port,
                                            "speed source | serial: VBOX on " + port,
                                            "speed source | serial: off"}));
#endif
    }

    void gpsSpeedAndPositionNeverReachTheBus()
    {
        TSource s;
        s.Source.ComDataPacketGPSPacket("VTG,054.7,T,034.4,M,005.5,N,010.2,K*48");
        s.Source.ComDataPacketGPSPacket(
            "GGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
        QCOMPARE(s.Source.SourceSpeed, 10.2);
        QCOMPARE(s.Source.GpsPosition.Latitude, QStringLiteral("4807.038"));
        QVERIFY(s.Written().isEmpty());
        QCOMPARE(s.Lines.size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_uSpeedSource)
#include "tst_uSpeedSource.moc"
