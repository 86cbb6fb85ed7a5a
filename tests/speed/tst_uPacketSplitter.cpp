#include "speed/uPacketSplitter.h"

#include <QBuffer>
#include <QtTest>

namespace {

const QByteArray Vtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";
const QByteArray Rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
const QByteArray Gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

QByteArray Body(const QByteArray &sentence)
{
    return sentence.mid(3, sentence.size() - 5);
}

// A 42-byte message whose 34-byte payload counts up from first.
QByteArray VboxPayload(char first)
{
    QByteArray payload;
    for (int i = 0; i < 34; ++i)
        payload += char(first + i);
    return payload;
}

QByteArray VboxMessage(const QByteArray &payload)
{
    return "$VBOX3i," + payload;
}

}  // namespace

class tst_uPacketSplitter : public QObject
{
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void changingFramingEmptiesTheBuffer_data();
    void changingFramingEmptiesTheBuffer();
    void readsWhatADeviceHasReady();
};

void tst_uPacketSplitter::framing_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("stop");
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("packets");
    QTest::addColumn<int>("pending");

    const QByteArray gp = "$GP", crlf = "\r\n", vbox = "$VBOX3i,";
    const QByteArray x1021(1021, 'x');
    QTest::newRow("GPS: three sentences in one chunk")
        << gp << crlf << 0 << QList<QByteArray>{Vtg + Rmc + Gga}
        << QList<QByteArray>{Body(Vtg), Body(Rmc), Body(Gga)} << 0;
    QTest::newRow("GPS: start string split over two chunks")
        << gp << crlf << 0 << QList<QByteArray>{Vtg + "$G", Rmc.mid(2)}
        << QList<QByteArray>{Body(Vtg), Body(Rmc)} << 0;
    QTest::newRow("GPS: stop string split over two chunks")
        << gp << crlf << 0 << QList<QByteArray>{Vtg.chopped(1), "\n"}
        << QList<QByteArray>{Body(Vtg)} << 0;
    QTest::newRow("GPS: unfinished sentence waits")
        << gp << crlf << 0 << QList<QByteArray>{Vtg.left(12)} << QList<QByteArray>{} << 12;
    QTest::newRow("GPS: stray bytes and other talkers dropped")
        << gp << crlf << 0 << QList<QByteArray>{"\x01x" + Gga, "$GNRMC,1,2\r\n" + Vtg}
        << QList<QByteArray>{Body(Gga), Body(Vtg)} << 0;
    QTest::newRow("GPS: lower case is no packet")
        << gp << crlf << 0 << QList<QByteArray>{Rmc.toLower()} << QList<QByteArray>{}
        << int(Rmc.size());
    QTest::newRow("GPS: zero byte inside a sentence")
        << gp << crlf << 0 << QList<QByteArray>{QByteArray("$GPVTG,\0,1\r\n", 12)}
        << QList<QByteArray>{QByteArray("VTG,\0,1", 7)} << 0;
    QTest::newRow("GPS: long chunk of whole sentences")
        << gp << crlf << 0 << QList<QByteArray>{Rmc.repeated(20)}
        << QList<QByteArray>(20, Body(Rmc)) << 0;

    // The bound: 1023 pending bytes are kept, 1024 are dropped, whether or not a packet has
    // begun.
    QTest::newRow("bound: 1023 bytes keep a split start string")
        << gp << crlf << 0 << QList<QByteArray>{QByteArray(1021, 'x') + "$G", "PVTG,1\r\n"}
        << QList<QByteArray>{"VTG,1"} << 0;
    QTest::newRow("bound: 1024 bytes drop a split start string")
        << gp << crlf << 0 << QList<QByteArray>{QByteArray(1022, 'x') + "$G", "PVTG,1\r\n"}
        << QList<QByteArray>{} << 8;
    QTest::newRow("bound: 1024 bytes without a start, then a sentence")
        << gp << crlf << 0 << QList<QByteArray>{QByteArray(1024, 'x'), Vtg}
        << QList<QByteArray>{Body(Vtg)} << 0;
    QTest::newRow("bound: 1023-byte packet completes")
        << gp << crlf << 0 << QList<QByteArray>{"$GP" + x1021.chopped(1), crlf}
        << QList<QByteArray>{x1021.chopped(1)} << 0;
    QTest::newRow("bound: 1024-byte packet dropped, next sentence read")
        << gp << crlf << 0 << QList<QByteArray>{"$GP" + x1021, crlf + Vtg}
        << QList<QByteArray>{Body(Vtg)} << 0;

    const QByteArray a = VboxPayload('A'), b = VboxPayload('\0');
    QTest::newRow("VBOX: 41 bytes wait, the 42nd completes, the 43rd starts the search")
        << vbox << QByteArray() << 42
        << QList<QByteArray>{VboxMessage(a).left(41), VboxMessage(a).mid(41) + "$VB"}
        << QList<QByteArray>{a} << 3;
    QTest::newRow("VBOX: bytes between messages dropped")
        << vbox << QByteArray() << 42 << QList<QByteArray>{VboxMessage(a) + "\r\n" + VboxMessage(b)}
        << QList<QByteArray>{a, b} << 0;
    QByteArray inner = a;
    inner.replace(10, 8, vbox);
    QTest::newRow("VBOX: start string inside a payload is payload")
        << vbox << QByteArray() << 42 << QList<QByteArray>{VboxMessage(inner)}
        << QList<QByteArray>{inner} << 0;

    QTest::newRow("stop string searched only behind the start")
        << QByteArray("ab") << QByteArray("b") << 0 << QList<QByteArray>{"abxb"}
        << QList<QByteArray>{"x"} << 0;
    QTest::newRow("size reached before the stop string")
        << QByteArray("S") << QByteArray("E") << 4 << QList<QByteArray>{"SExy"}
        << QList<QByteArray>{"Exy"} << 0;
    QTest::newRow("stop string before the size")
        << QByteArray("S") << QByteArray("E") << 4 << QList<QByteArray>{"SxE"}
        << QList<QByteArray>{"x"} << 0;
    QTest::newRow("packet shorter than the stop string keeps its bytes")
        << QByteArray("S") << QByteArray("ab") << 2 << QList<QByteArray>{"Sx"}
        << QList<QByteArray>{"x"} << 0;
}

void tst_uPacketSplitter::framing()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, stop);
    QFETCH(int, size);
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, packets);
    QFETCH(int, pending);

    TPacketSplitter splitter;
    splitter.SetStartString(start);
    splitter.SetStopString(stop);
    splitter.SetSize(size);
    QList<QByteArray> received;
    splitter.SetOnPacket([&](const QByteArray &packet) { received << packet; });
    for (const QByteArray &chunk : chunks)
        splitter.Feed(chunk);
    QCOMPARE(received, packets);
    QCOMPARE(splitter.Pending(), pending);
}

void tst_uPacketSplitter::changingFramingEmptiesTheBuffer_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("stop");
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<QByteArray>>("packets");
    QTest::newRow("same values keep the packet")
        << QByteArray("$GP") << QByteArray("\r\n") << 0 << QList<QByteArray>{"VTG,054.7"};
    QTest::newRow("new start string")
        << QByteArray("$GPVTG") << QByteArray("\r\n") << 0 << QList<QByteArray>{};
    QTest::newRow("new stop string")
        << QByteArray("$GP") << QByteArray("\n") << 0 << QList<QByteArray>{};
    QTest::newRow("new size") << QByteArray("$GP") << QByteArray("\r\n") << 42
                              << QList<QByteArray>{};
}

void tst_uPacketSplitter::changingFramingEmptiesTheBuffer()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, stop);
    QFETCH(int, size);
    QFETCH(QList<QByteArray>, packets);

    TPacketSplitter splitter;
    splitter.SetStartString("$GP");
    splitter.SetStopString("\r\n");
    QList<QByteArray> received;
    splitter.SetOnPacket([&](const QByteArray &packet) { received << packet; });
    splitter.Feed("$GPVTG,05");
    splitter.SetStartString(start);
    splitter.SetStopString(stop);
    splitter.SetSize(size);
    splitter.Feed("4.7\r\n");
    QCOMPARE(received, packets);
}

void tst_uPacketSplitter::readsWhatADeviceHasReady()
{
    QByteArray stream = Vtg + Rmc.left(20);
    QBuffer device(&stream);
    QVERIFY(device.open(QIODevice::ReadOnly));
    TPacketSplitter splitter;
    splitter.SetStartString("$GP");
    splitter.SetStopString("\r\n");
    QList<QByteArray> received;
    splitter.SetOnPacket([&](const QByteArray &packet) { received << packet; });
    QCOMPARE(splitter.ReadFrom(device), stream.size());
    QCOMPARE(splitter.ReadFrom(device), 0);
    QCOMPARE(received, QList<QByteArray>{Body(Vtg)});
    QCOMPARE(splitter.Pending(), 20);
}

QTEST_GUILESS_MAIN(tst_uPacketSplitter)
#include "tst_uPacketSplitter.moc"
