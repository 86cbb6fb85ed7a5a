// A peer on Qt's virtual bus sends a line the plugin cannot read: the channel loses its
// adapter and reconnects, instead of the plugin reading past its list and the program dying.

#include "adapter/uVirtualBusGuard.h"
#include "session/uCanBackend.h"
#include "support/uWatchedAcquisition.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

class tst_VirtualBusGuard : public QObject
{
    Q_OBJECT
private slots:
    void linesTheServerSends_data();
    void linesTheServerSends();
    void aMalformedLineLosesTheAdapterInsteadOfTheProgram();
};

void tst_VirtualBusGuard::linesTheServerSends_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("wellFormed");
    QTest::newRow("frame") << QByteArray("419352135#X#4023282328c8643c") << true;
    QTest::newRow("no data") << QByteArray("291##") << true;
    QTest::newRow("no '#'") << QByteArray("garbage") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one '#'") << QByteArray("291#X") << false;
    QTest::newRow("three '#'") << QByteArray("291#X#00#01") << false;
}

void tst_VirtualBusGuard::linesTheServerSends()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, wellFormed);
    QCOMPARE(VirtualBusLineIsWellFormed(line), wellFormed);
}

void tst_VirtualBusGuard::aMalformedLineLosesTheAdapterInsteadOfTheProgram()
{
    QTcpServer probe;  // a port of the test's own; the test hosts the bus on it
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    TCanBackend backend;
    QVERIFY(TCanBackend::Parse(QStringLiteral("virtualcan:tcp://127.0.0.1:%1/can0").arg(port),
                               backend));
    TPCANBasic::SetDeviceFactory(backend.Factory(), backend.Plugin);
    TFakeClock clock;
    TAcquisition acquisition(clock);
    TRecordedEvents events;
    acquisition.SetEventSink(&events);
    const auto open = [&acquisition] {
        acquisition.Drain();
        return acquisition.Link().Phase() == TAdapterLink::TPhase::Open;
    };
    QVERIFY(acquisition.Connect(0x011C));
    QTRY_VERIFY(open());

    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(peer.waitForConnected());
    peer.write("connect:can0\n");
    const QByteArray sample = "can0:419352135#X#4023282328c8643c\n";  // unit 1, 18FECE47
    peer.write(sample);
    QTRY_VERIFY((acquisition.Drain(), acquisition.State.SensorOnline));

    peer.write("can0:garbage\n" + sample);
    QTRY_VERIFY((acquisition.Drain(), !events.Lines.isEmpty()));
    QCOMPARE(events.Lines, QStringList({"adapter lost: a malformed line from the virtual bus"}));

    clock.Ms += TAdapterLink::FirstRetryMs;
    QTRY_VERIFY(open());
    QCOMPARE(events.Lines.last().left(16), QStringLiteral("adapter restored"));
    // The new connection counts for the bus server once the server has read its "connect"
    // line, which may come after a frame the peer sends now: the peer sends until one arrives,
    // as a unit on the bus does.
    acquisition.State.SensorOnline = false;
    QTRY_VERIFY((peer.write(sample), acquisition.Drain(), acquisition.State.SensorOnline));

    acquisition.Disconnect();
    TPCANBasic::SetDeviceFactory({});
}

QTEST_GUILESS_MAIN(tst_VirtualBusGuard)
#include "tst_VirtualBusGuard.moc"
