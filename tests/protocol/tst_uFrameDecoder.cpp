#include "protocol/uFrameDecoder.h"
#include "support/uFakeCanDevice.h"

#include <QtTest>

namespace {

TPCANMsg Message(quint32 id, const char *hex, quint8 length = 8)
{
    TPCANMsg message;
    message.ID = id;
    message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    message.LEN = length;
    const QByteArray bytes = QByteArray::fromHex(hex);
    std::copy(bytes.cbegin(), bytes.cbegin() + std::min<qsizetype>(bytes.size(), 8), message.DATA);
    return message;
}

class TRecordingSink : public TDecoderSink
{
public:
    bool WantsTrafficLines() const override { return true; }
    void TrafficFrame(const char *prefix, const TPCANMsg &message) override
    {
        Lines << TrafficLine(prefix, message);
    }
    void Unit1SampleComplete() override { ++Samples; }
    bool ChannelOpen() const override { return Open; }

    QStringList Lines;
    int Samples = 0;
    bool Open = true;
};

TAcquisitionState TestProtocol()
{
    TAcquisitionState state;
    state.ProtocolEnv = TProtocolEnv::peTest;
    state.CanId1 = QStringLiteral("18FEDC10");
    state.ChassisCanId.clear();
    return state;
}

}  // namespace

class tst_uFrameDecoder : public QObject
{
    Q_OBJECT
private slots:
    void identifiers_data();
    void identifiers();
    void productionFrame_data();
    void productionFrame();
    void testFrames_data();
    void testFrames();
    void trafficLine();
    void decodedValuesStayInTheirRanges();
    void productionDispatch();
    void testDispatch();
    void unitsTwoAndThree();
    void drainEmptiesTheQueueAndStopsOnFailure();
};

void tst_uFrameDecoder::identifiers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("frameId");
    QTest::addColumn<quint32>("offset");
    QTest::addColumn<bool>("matches");
    QTest::newRow("upper") << "18FECE47" << 0x18FECE47u << 0u << true;
    QTest::newRow("lower") << "18fece47" << 0x18FECE47u << 0u << true;
    QTest::newRow("short") << "47" << 0x47u << 0u << true;
    QTest::newRow("status frame") << "18FEDC10" << 0x18FEDC11u << 1u << true;
    QTest::newRow("other id") << "18FEDC10" << 0x18FEDC11u << 0u << false;
    QTest::newRow("empty") << "" << 0u << 0u << false;
    QTest::newRow("prefixed") << "0x18FECE47" << 0x18FECE47u << 0u << false;
    QTest::newRow("blank") << " 18FECE47" << 0x18FECE47u << 0u << false;
    QTest::newRow("not hex") << "18FECEG7" << 0x18FECE07u << 0u << false;
    QTest::newRow("over 32 bits") << "118FECE47" << 0x18FECE47u << 0u << false;
    QTest::newRow("leading zeros") << "018FECE47" << 0x18FECE47u << 0u << true;
}

void tst_uFrameDecoder::identifiers()
{
    QFETCH(QString, text);
    QFETCH(quint32, frameId);
    QFETCH(quint32, offset);
    QFETCH(bool, matches);
    QCOMPARE(MatchesIdentifier(text, frameId, offset), matches);
}

void tst_uFrameDecoder::productionFrame_data()
{
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<double>("tiltX");
    QTest::addColumn<double>("tiltY");
    QTest::addColumn<double>("accX");
    QTest::addColumn<double>("accY");
    QTest::addColumn<double>("ltr");
    QTest::addColumn<int>("status");
    QTest::newRow("level") << QByteArray("0023282328646400") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0
                           << 0;
    QTest::newRow("lowest") << QByteArray("8000000000000000") << -90.0 << -90.0 << -1.0 << -1.0
                            << 0.0 << 0x80;
    QTest::newRow("highest") << QByteArray("FFFFFFFFFFFFFFFF") << 565.35 << 565.35 << 1.55 << 1.55
                             << 2.55 << 0xFF;
}

void tst_uFrameDecoder::productionFrame()
{
    QFETCH(QByteArray, hex);
    QFETCH(double, tiltX);
    QFETCH(double, tiltY);
    QFETCH(double, accX);
    QFETCH(double, accY);
    QFETCH(double, ltr);
    QFETCH(int, status);
    TSensorSample unit;
    unit.Temperature = 21;
    unit.AngularVelocity = 3.5;
    unit.Heating = 1;
    unit.Firmware = QStringLiteral("2.3");
    DecodeProductionDataFrame(Message(0x18FECE47, hex.constData()), unit);
    QCOMPARE(unit.TiltX, tiltX);
    QCOMPARE(unit.TiltY, tiltY);
    QCOMPARE(unit.AccX, accX);
    QCOMPARE(unit.AccY, accY);
    QCOMPARE(unit.LTR, ltr);
    QCOMPARE(int(unit.Status), status);
    QCOMPARE(unit.Temperature, 0.0);
    QCOMPARE(int(unit.Heating), 0);
    QVERIFY(unit.Firmware.isEmpty());
    QCOMPARE(unit.AngularVelocity, 3.5);  // the production frame does not carry it
}

void tst_uFrameDecoder::testFrames_data()
{
    QTest::addColumn<QByteArray>("motion");
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<double>("tiltX");
    QTest::addColumn<double>("tiltY");
    QTest::addColumn<double>("accX");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("angularVelocity");
    QTest::addColumn<double>("ltr");
    QTest::addColumn<QString>("firmware");
    QTest::newRow("unit 1") << QByteArray("FFFF800003E8FC18") << QByteArray("09C4000F1701F403")
                            << 1000.0 << -0.01 << -327.68 << 1.0 << 25.0 << 1.5 << 0.5 << "2.3";
    QTest::newRow("unit 2") << QByteArray("7FFF000103E80000") << QByteArray("FF38FFF6000000FF")
                            << 100.0 << 327.67 << 0.01 << 10.0 << -2.0 << -1.0 << 0.0 << "0.0";
    QTest::newRow("firmware 0.5") << QByteArray("0000000000000000")
                                  << QByteArray("0000000005FC1800") << 1000.0 << 0.0 << 0.0 << 0.0
                                  << 0.0 << 0.0 << -1.0 << "0.5";
    QTest::newRow("firmware 25.5")
        << QByteArray("0000000000000000") << QByteArray("00000000FF000000") << 1000.0 << 0.0 << 0.0
        << 0.0 << 0.0 << 0.0 << 0.0 << "25.5";
}

void tst_uFrameDecoder::testFrames()
{
    QFETCH(QByteArray, motion);
    QFETCH(QByteArray, status);
    QFETCH(double, divisor);
    QFETCH(double, tiltX);
    QFETCH(double, tiltY);
    QFETCH(double, accX);
    QFETCH(double, temperature);
    QFETCH(double, angularVelocity);
    QFETCH(double, ltr);
    QFETCH(QString, firmware);
    TSensorSample unit;
    unit.FrameCounter = 255;
    unit.Heating = 7;
    DecodeMotionFrame(Message(0x18FEDC10, motion.constData()), unit, divisor);
    DecodeStatusFrame(Message(0x18FEDC11, status.constData()), unit);
    QCOMPARE(unit.TiltX, tiltX);
    QCOMPARE(unit.TiltY, tiltY);
    QCOMPARE(unit.AccX, accX);
    QCOMPARE(unit.Temperature, temperature);
    QCOMPARE(unit.AngularVelocity, angularVelocity);
    QCOMPARE(unit.LTR, ltr);
    QCOMPARE(unit.Firmware, firmware);
    QCOMPARE(unit.FrameCounter, 0);  // wraps after 255
    QCOMPARE(int(unit.Heating), 0);
    QCOMPARE(OnlineCaption(TProtocolEnv::peTest, unit.Firmware),
             QStringLiteral("ONLINE v") + firmware);
}

void tst_uFrameDecoder::trafficLine()
{
    QCOMPARE(TrafficLine("data CAN1/2:", Message(0x18FEDC11, "09C4000F1701F403")),
             QStringLiteral("data CAN1/2:09 C4 00 0F 17 01 F4 03"));
    // A short frame is still logged with all eight bytes of the buffer.
    QCOMPARE(TrafficLine("data CAN1:", Message(0x18FECE47, "0102", 2)),
             QStringLiteral("data CAN1:01 02 00 00 00 00 00 00"));
}

// The readouts are sized for these ranges; a decoder that leaves them would be cut on screen.
void tst_uFrameDecoder::decodedValuesStayInTheirRanges()
{
    const auto within = [](double value, TValueRange range) {
        return value >= range.Lowest && value <= range.Highest;
    };
    for (const char *hex : {"0000000000000000", "FFFFFFFFFFFFFFFF", "8000800080008000",
                            "7FFF7FFF7FFF7FFF", "00FFFF8000FF7FFF"}) {
        const TPCANMsg message = Message(0x18FECE47, hex);
        TSensorSample production, motion, status;
        TChassisData chassis;
        DecodeProductionDataFrame(message, production);
        DecodeMotionFrame(message, motion, 1000.0);
        DecodeStatusFrame(message, status);
        DecodeChassisFrame(message, chassis);
        for (const TSensorSample &unit : {production, motion}) {
            QVERIFY2(within(unit.TiltX, DecodedRange::Tilt)
                         && within(unit.TiltY, DecodedRange::Tilt),
                     hex);
            QVERIFY2(within(unit.AccX, DecodedRange::Acceleration)
                         && within(unit.AccY, DecodedRange::Acceleration),
                     hex);
        }
        QVERIFY2(within(production.LTR, DecodedRange::Ltr) && within(status.LTR, DecodedRange::Ltr),
                 hex);
        QVERIFY2(within(status.Temperature, DecodedRange::Temperature), hex);
        QVERIFY2(within(status.AngularVelocity, DecodedRange::AngularVelocity), hex);
        QVERIFY2(within(chassis.VehicleSpeed, DecodedRange::Speed), hex);
    }
}

void tst_uFrameDecoder::productionDispatch()
{
    TAcquisitionState state;
    state.CanId2 = QStringLiteral("18FEDC20");
    TRecordingSink sink;
    DispatchFrame(Message(0x18FECF10, "0019000000000000"), state, {1.5, 1500}, sink);
    QCOMPARE(state.Chassis.VehicleSpeed, 25.0);
    QCOMPARE(state.Chassis.LastFrameTime, 1.5);
    QCOMPARE(state.Chassis.LastFrameTick, 1500);
    QVERIFY(!state.SensorOnline);

    DispatchFrame(Message(0x18FECE47, "0223282328C8C832", 3), state, {2.5, 2500}, sink);
    QCOMPARE(state.Sensors[1].AccX, 1.0);  // bytes past LEN are decoded as they stand
    QCOMPARE(state.Sensors[1].LTR, 0.5);
    QCOMPARE(state.Sensors[1].FrameCounter, 1);
    QCOMPARE(state.LastSensorFrameTime, 2.5);
    QCOMPARE(state.LastSensorFrameTick, 2500);
    QVERIFY(state.SensorOnline);
    QCOMPARE(sink.Samples, 1);

    // Test-protocol and unit-2 frames mean nothing here.
    DispatchFrame(Message(0x18FECE48, "0000000000000000"), state, {3, 3000}, sink);
    DispatchFrame(Message(0x18FEDC20, "0000000000000000"), state, {3, 3000}, sink);
    QCOMPARE(sink.Lines, (QStringList{"data chassis CAN:00 19 00 00 00 00 00 00",
                                      "data CAN1:02 23 28 23 28 C8 C8 32"}));
    QCOMPARE(OnlineCaption(TProtocolEnv::peProduction, state.Sensors[1].Firmware),
             QStringLiteral("ONLINE "));
}

void tst_uFrameDecoder::testDispatch()
{
    TAcquisitionState state = TestProtocol();
    state.Chassis.VehicleSpeed = 40;
    TRecordingSink sink;
    DispatchFrame(Message(0x18FECF10, "0019000000000000"), state, {1, 1000}, sink);
    DispatchFrame(Message(0x18FEDC10, "0064000000000000"), state, {1, 1000}, sink);
    QCOMPARE(state.Sensors[1].TiltX, 1.0);
    QVERIFY(!state.SensorOnline);  // a motion frame alone completes nothing
    QCOMPARE(sink.Samples, 0);
    QCOMPARE(state.Chassis.VehicleSpeed, 40.0);

    DispatchFrame(Message(0x18FEDC11, "09C4000F1701F403"), state, {2, 2000}, sink);
    QVERIFY(state.SensorOnline);
    QCOMPARE(sink.Samples, 1);
    QCOMPARE(state.Chassis.VehicleSpeed, 0.0);
    QCOMPARE(state.LastSensorFrameTime, 2.0);
    QCOMPARE(sink.Lines, (QStringList{"data CAN1/1:00 64 00 00 00 00 00 00",
                                      "data CAN1/2:09 C4 00 0F 17 01 F4 03"}));
}

void tst_uFrameDecoder::unitsTwoAndThree()
{
    TAcquisitionState state = TestProtocol();
    TRecordingSink sink;
    DispatchFrame(Message(0x18FEDC20, "0064000000000000"), state, {1, 1000}, sink);
    QVERIFY(sink.Lines.isEmpty());  // unit 2 is off
    QCOMPARE(state.Sensors[2].TiltX, 0.0);

    // Unit 2 one above unit 1: the frame is unit 1's status and unit 2's motion frame.
    state.CanId2 = QStringLiteral("18FEDC11");
    state.CanId3 = QStringLiteral("18FEDC30");
    DispatchFrame(Message(0x18FEDC11, "0064000003E80000"), state, {1, 1000}, sink);
    QCOMPARE(sink.Lines, (QStringList{"data CAN1/2:00 64 00 00 03 E8 00 00",
                                      "data CAN2/1:00 64 00 00 03 E8 00 00"}));
    QCOMPARE(state.Sensors[2].AccX, 10.0);
    QCOMPARE(sink.Samples, 1);

    DispatchFrame(Message(0x18FEDC31, "0000000017000000"), state, {1, 1000}, sink);
    QCOMPARE(state.Sensors[3].FrameCounter, 1);
    QCOMPARE(state.Sensors[3].Firmware, QStringLiteral("2.3"));
    QCOMPARE(sink.Lines.last(), QStringLiteral("data CAN3/2:00 00 00 00 17 00 00 00"));
    QCOMPARE(sink.Samples, 1);  // other units complete no sample of unit 1
}

void tst_uFrameDecoder::drainEmptiesTheQueueAndStopsOnFailure()
{
    TFakeCanBus bus;
    TAcquisitionState state;
    TRecordingSink sink;
    QCOMPARE(DrainReceiveQueue(PCAN_USBBUS1, state, {}, sink), 0);  // closed channel: one read

    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QCOMPARE(DrainReceiveQueue(PCAN_USBBUS1, state, {}, sink), 0);
    bus.Device()->Inject(QList<QCanBusFrame>(300, ExtendedFrame(0x18FECE47, QByteArray(8, '\0'))));
    QCOMPARE(DrainReceiveQueue(PCAN_USBBUS1, state, {}, sink), 300);
    QCOMPARE(sink.Samples, 300);
    QCOMPARE(state.Sensors[1].FrameCounter, 300 % 256);

    // Closing the channel inside a tick ends the drain.
    bus.Device()->Inject(QList<QCanBusFrame>(5, ExtendedFrame(0x18FECE47, QByteArray(8, '\0'))));
    sink.Open = false;
    QCOMPARE(DrainReceiveQueue(PCAN_USBBUS1, state, {}, sink), 0);
}

QTEST_GUILESS_MAIN(tst_uFrameDecoder)
#include "tst_uFrameDecoder.moc"
