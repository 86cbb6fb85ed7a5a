#include "protocol/uCalibration.h"
#include "speed/uSpeedFrame.h"

#include <QtTest>

using TBytes = QByteArray;

namespace {

TBytes Data(const TPCANMsg &message)
{
    return TBytes(reinterpret_cast<const char *>(message.DATA), message.LEN);
}

}  // namespace

class tst_uSpeedFrame : public QObject
{
    Q_OBJECT
private slots:
    void speedFrame_data()
    {
        QTest::addColumn<double>("speed");
        QTest::addColumn<TBytes>("data");
        QTest::newRow("0 km/h") << 0.0 << TBytes::fromHex("0000010000000000");
        QTest::newRow("30 km/h") << 30.0 << TBytes::fromHex("001E010000000000");
        QTest::newRow("60 km/h") << 60.0 << TBytes::fromHex("003C010000000000");
        QTest::newRow("57.9 km/h, fraction dropped") << 57.9 << TBytes::fromHex("0039010000000000");
        QTest::newRow("1213.7 km/h, low eight bits")
            << 1213.7 << TBytes::fromHex("00BD010000000000");
        QTest::newRow("not a number") << qQNaN() << TBytes::fromHex("0000010000000000");
    }
    void speedFrame()
    {
        QFETCH(double, speed);
        QFETCH(TBytes, data);
        const std::optional<TPCANMsg> frame = SpeedFrame(QStringLiteral("18FECF10"), speed);
        QVERIFY(frame);
        QCOMPARE(frame->ID, 0x18FECF10u);
        QCOMPARE(frame->MSGTYPE, PCAN_MESSAGE_EXTENDED);
        QCOMPARE(Data(*frame), data);
    }

    void noFrameWithoutAChassisIdentifier()
    {
        QVERIFY(!SpeedFrame(QString(), 30));
        QVERIFY(!SpeedFrame(QStringLiteral("18FE CF10"), 30));
    }

    void simulatedSpeeds()
    {
        QCOMPARE(SimulatedSpeed(0, 12), SpeedNotSimulated);
        QCOMPARE(SimulatedSpeed(1, 12), 0.0);
        QCOMPARE(SimulatedSpeed(2, 12), 30.0);
        QCOMPARE(SimulatedSpeed(3, 12), 60.0);
        QCOMPARE(SimulatedSpeed(-1, 12), 12.0);  // no item chosen: unchanged
    }

    void calibrationRequests_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<TBytes>("data");
        QTest::newRow("calibrate") << int(crCalibrate) << TBytes::fromHex("02");
        QTest::newRow("reset") << int(crReset) << TBytes::fromHex("00");
        QTest::newRow("factory settings") << int(crFactorySettings) << TBytes::fromHex("01");
    }
    void calibrationRequests()
    {
        QFETCH(int, code);
        QFETCH(TBytes, data);
        const TPCANMsg frame = CalibrationRequestFrame(TCalibrationRequest(code));
        QCOMPARE(frame.ID, 0x18FAFD25u);
        QCOMPARE(frame.MSGTYPE, PCAN_MESSAGE_EXTENDED);
        QCOMPARE(Data(frame), data);
        QCOMPARE(frame.DATA[1] | frame.DATA[7], 0);
    }
};

QTEST_GUILESS_MAIN(tst_uSpeedFrame)
#include "tst_uSpeedFrame.moc"
