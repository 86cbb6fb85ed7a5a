#include "speed/uVboxSpeed.h"

#include <QtTest>

namespace {

const QLocale Comma(QLocale::Polish, QLocale::Poland);

// A payload of the given length with the speed bytes at 21 and 22 where they fit; the other
// bytes are 0xAA so a read of the wrong offset shows.
QByteArray Payload(quint8 low, quint8 high, int size = 34)
{
    QByteArray payload(size, char(0xAA));
    if (size > 21)
        payload[21] = char(low);
    if (size > 22)
        payload[22] = char(high);
    return payload;
}

}  // namespace

class tst_uVboxSpeed : public QObject
{
    Q_OBJECT
private slots:
    void speedBytes_data();
    void speedBytes();
    void relay_data();
    void relay();
};

void tst_uVboxSpeed::speedBytes_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<double>("speed");  // NaN: none
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("raw 10000") << Comma << Payload(0x10, 0x27) << 185.2 << "185,20"
                               << QStringList{"speed 16 39 vbox:185,20"};
    QTest::newRow("raw 10000, point locale") << QLocale::c() << Payload(0x10, 0x27) << 185.2
                                             << "185.20" << QStringList{"speed 16 39 vbox:185.20"};
    QTest::newRow("raw 0") << Comma << Payload(0, 0) << 0.0 << "0,00"
                           << QStringList{"speed 0 0 vbox:0,00"};
    QTest::newRow("raw 65535, no group separator")
        << Comma << Payload(0xFF, 0xFF) << 1213.7082 << "1213,71"
        << QStringList{"speed 255 255 vbox:1213,71"};
    QTest::newRow("23 bytes are enough") << Comma << Payload(0x10, 0x27, 23) << 185.2 << "185,20"
                                         << QStringList{"speed 16 39 vbox:185,20"};
    QTest::newRow("22 bytes are short") << Comma << Payload(0x10, 0x27, 22) << qQNaN() << QString()
                                        << QStringList{"za krótkie vbox22"};
    QTest::newRow("12 bytes") << Comma << QByteArray(12, '\0') << qQNaN() << QString()
                              << QStringList{"za krótkie vbox12"};
    QTest::newRow("empty") << Comma << QByteArray() << qQNaN() << QString()
                           << QStringList{"za krótkie vbox0"};
}

void tst_uVboxSpeed::speedBytes()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, payload);
    QFETCH(double, speed);
    QFETCH(QString, caption);
    QFETCH(QStringList, lines);
    const TVboxPayloadEffect effect =
        ReadVboxPayload(payload, QStringLiteral("18FECF10"), false, locale);
    QCOMPARE(effect.Speed.has_value(), !qIsNaN(speed));
    if (effect.Speed) {
        QCOMPARE(effect.Speed->SourceSpeed, speed);
        QCOMPARE(effect.Speed->SimSpeedCaption, caption);
        QVERIFY(effect.Speed->RelaySpeed);
    }
    QCOMPARE(effect.GpsLines, lines);
}

void tst_uVboxSpeed::relay_data()
{
    QTest::addColumn<QString>("chassisCanId");
    QTest::addColumn<bool>("simulationRunning");
    QTest::addColumn<bool>("relay");
    QTest::newRow("default identifier") << "18FECF10" << false << true;
    QTest::newRow("speed simulation running") << "18FECF10" << true << false;
    QTest::newRow("test protocol: empty identifier") << "" << false << false;
    QTest::newRow("identifier with a prefix") << "0x18FECF10" << false << false;
    QTest::newRow("identifier above 32 bits") << "118FECF10" << false << false;
}

void tst_uVboxSpeed::relay()
{
    QFETCH(QString, chassisCanId);
    QFETCH(bool, simulationRunning);
    QFETCH(bool, relay);
    const TVboxPayloadEffect effect =
        ReadVboxPayload(Payload(0x10, 0x27), chassisCanId, simulationRunning, Comma);
    QVERIFY(effect.Speed);
    QCOMPARE(effect.Speed->RelaySpeed, relay);
    // The speed and the lines do not depend on the relay.
    QCOMPARE(effect.Speed->SourceSpeed, 185.2);
    QCOMPARE(effect.GpsLines.size(), 1);
}

QTEST_GUILESS_MAIN(tst_uVboxSpeed)
#include "tst_uVboxSpeed.moc"
