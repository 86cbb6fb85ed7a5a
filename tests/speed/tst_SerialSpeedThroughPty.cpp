// The serial speed sources end to end through the operating system's serial layer: a
// pseudo-terminal stands in for the receiver, a QSerialPort with the link's settings reads its
// slave end, and the splitters and handlers turn what arrives into speeds and traffic lines.

#include "speed/uGpsSpeed.h"
#include "speed/uPacketSplitter.h"
#include "speed/uSerialLink.h"
#include "speed/uVboxSpeed.h"

#include <QSerialPort>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

class tst_SerialSpeedThroughPty : public QObject
{
    Q_OBJECT
private slots:
    void speedsFromAwkwardChunks();
};

void tst_SerialSpeedThroughPty::speedsFromAwkwardChunks()
{
#ifndef Q_OS_LINUX
    QSKIP("pseudo-terminals are set up for Linux only");
#else
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY2(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0, strerror(errno));
    const auto closeMaster = qScopeGuard([master] { close(master); });

    // The program's own link: its port settings and mode switches, on the terminal's slave end.
    TSerialLink link;
    const QString slave = QString::fromLocal8Bit(ptsname(master));
    QVERIFY2(link.SwitchTo(TSerialLink::TMode::GPS, slave),
             qPrintable(link.ComPortGPS.errorString()));
    QCOMPARE(link.ComPortGPS.baudRate(), 115200);
    QCOMPARE(link.ComPortGPS.flowControl(), QSerialPort::NoFlowControl);

    const QLocale comma(QLocale::Polish, QLocale::Poland);
    double sourceSpeed = 0;
    QStringList gpsLines;
    int relays = 0;
    link.ComDataPacketGPS.SetOnPacket([&](const QByteArray &body) {
        const TGpsSentenceEffect effect = ReadGpsSentence(body, comma);
        sourceSpeed = effect.SourceSpeed.value_or(sourceSpeed);
        gpsLines << effect.GpsLines;
    });
    link.ComDataPacketVBOX.SetOnPacket([&](const QByteArray &payload) {
        const TVboxPayloadEffect effect =
            ReadVboxPayload(payload, QStringLiteral("18FECF10"), false, comma);
        if (effect.Speed) {
            sourceSpeed = effect.Speed->SourceSpeed;
            relays += effect.Speed->RelaySpeed;
        }
        gpsLines << effect.GpsLines;
    });

    // Each chunk is given time to arrive before the next is written, so the splitter sees the
    // cuts as written.
    const auto transmit = [&](const QList<QByteArray> &chunks) {
        for (const QByteArray &chunk : chunks) {
            QCOMPARE(write(master, chunk.constData(), size_t(chunk.size())), ssize_t(chunk.size()));
            QTest::qWait(30);
        }
    };

    transmit({"\x01\x02$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n$G",
              "PRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r",
              "\n$GNGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n$GPGGA,123519,4807.038,N,01131."
              "000,E,1",
              ",08,0.9,545.4,M,46.9,M,,*47\r\n$GPVTG,,T,,M,,N,,K,N*32\r\n"});
    QTRY_COMPARE(gpsLines,
                 (QStringList{"speed vtg:10,20", "speed rmc:41,48", "4807,038   01131,000"}));
    QCOMPARE(sourceSpeed, 41.4848);  // the last VTG had no fix and changed nothing

    // Speed bytes that a cooked terminal or software flow control would alter or swallow:
    // XON/XOFF and CR LF, among interrupt and end-of-file characters.
    const auto message = [](char low, char high) {
        QByteArray payload = QByteArray("\x03\x04\x11\x13\r\n\x7f\xff").repeated(5).left(34);
        payload[21] = low;
        payload[22] = high;
        return "$VBOX3i," + payload;
    };
    const QByteArray first = message('\x11', '\x13'), second = message('\r', '\n'),
                     third = message('\x10', '\x27');
    QVERIFY(link.SwitchTo(TSerialLink::TMode::VBOX, slave));
    gpsLines.clear();
    transmit({first.left(5), first.mid(5) + "\r\n" + second.left(30),
              second.mid(30) + third.left(41), third.mid(41)});
    QTRY_COMPARE(gpsLines, (QStringList{"speed 17 19 vbox:90,40", "speed 13 10 vbox:47,65",
                                        "speed 16 39 vbox:185,20"}));
    QCOMPARE(sourceSpeed, 185.2);
    QCOMPARE(relays, 3);
#endif
}

QTEST_GUILESS_MAIN(tst_SerialSpeedThroughPty)
#include "tst_SerialSpeedThroughPty.moc"
