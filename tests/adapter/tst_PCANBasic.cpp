#include "adapter/PCANBasic.h"
#include "adapter/uBusSpeeds.h"
#include "support/uFakeCanDevice.h"

#include <QtTest>

class tst_PCANBasic : public QObject
{
    Q_OBJECT
private slots:
    void busSpeedTable_data();
    void busSpeedTable();
    void initializeOpensTheChannelAtTheListedBitRate();
    void everyListedSpeedRunsTheAdapterAtThatSpeed_data();
    void everyListedSpeedRunsTheAdapterAtThatSpeed();
    void aSpeedThePluginLacksIsRefused();
    void initializeRefusals();
    void failedOpenHoldsNoChannel();
    void readStatuses();
    void readFillsTheMessage();
    void writeSendsTheMessage();
    void uninitializeReleasesEvenWhenClosingFails();
};

void tst_PCANBasic::busSpeedTable_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("bitRate");
    QTest::newRow("first") << 0 << "1 MBit/sec" << 0x0014 << 1000000;
    QTest::newRow("default") << 3 << "250 kBit/sec" << 0x011C << 250000;
    QTest::newRow("500k") << 2 << "500 kBit/sec" << 0x001C << 500000;
    QTest::newRow("cut-off caption") << 9 << "47,619 kBit/se" << 0x1414 << 47619;
    QTest::newRow("95k") << 6 << "95,238 kBit/s" << 0xC34E << 95238;
    QTest::newRow("last") << 13 << "5 kBit/sec" << 0x7F7F << 5000;
    QTest::newRow("nothing selected") << -1 << "" << 0 << 0;
    QTest::newRow("past the end") << 14 << "" << 0 << 0;
}

void tst_PCANBasic::busSpeedTable()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(int, code);
    QFETCH(int, bitRate);
    const QStringList captions = BusSpeeds::Captions();
    QCOMPARE(captions.size(), 14);
    QCOMPARE(captions.value(index), caption);
    QCOMPARE(int(BusSpeeds::CodeOfIndex(index)), code);
    QCOMPARE(BusSpeeds::BitRateOfCode(TPCANBaudrate(code)), bitRate);
}

void tst_PCANBasic::initializeOpensTheChannelAtTheListedBitRate()
{
    TFakeCanBus bus;
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QVERIFY(bus.Device());
    QCOMPARE(bus.Device()->state(), QCanBusDevice::ConnectedState);
    QCOMPARE(bus.LastBitRate.toInt(), 250000);
}

namespace {

// How QtSerialBus plugins turn the configured bit rate into the adapter's speed, as their
// sources do: peakcan and tinycan take the first entry of their table at or above the number,
// systeccan only an exact entry, the others hand the number to the driver.
struct TPluginEntry {
    int bitRate;
    int speed;  // what the adapter then runs at: a PCAN bus-timing code for peakcan, else bit/s
};
const QList<TPluginEntry> PeakcanTable{
    {5000, 0x7F7F},   {10000, 0x672F},  {20000, 0x532F},  {33000, 0x8B2F},  {47000, 0x1414},
    {50000, 0x472F},  {83000, 0x852B},  {95000, 0xC34E},  {100000, 0x432F}, {125000, 0x031C},
    {250000, 0x011C}, {500000, 0x001C}, {800000, 0x0016}, {1000000, 0x0014}};
const QList<TPluginEntry> CommonRates{{10000, 10000},   {20000, 20000},   {50000, 50000},
                                      {100000, 100000}, {125000, 125000}, {250000, 250000},
                                      {500000, 500000}, {800000, 800000}, {1000000, 1000000}};

int SpeedThePluginOpens(const QString &plugin, int bitRate)
{
    if (plugin == QLatin1String("peakcan") || plugin == QLatin1String("tinycan")) {
        for (const TPluginEntry &entry :
             plugin == QLatin1String("peakcan") ? PeakcanTable : CommonRates)
            if (entry.bitRate >= bitRate)
                return entry.speed;
        return -1;
    }
    if (plugin == QLatin1String("systeccan")) {
        for (const TPluginEntry &entry : CommonRates)
            if (entry.bitRate == bitRate)
                return entry.speed;
        return -1;
    }
    return bitRate;
}

}  // namespace

void tst_PCANBasic::everyListedSpeedRunsTheAdapterAtThatSpeed_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<int>("index");
    for (const char *plugin : {"peakcan", "tinycan", "systeccan", "socketcan", "vectorcan"})
        for (int index = 0; index < 14; ++index)
            QTest::addRow("%s %s", plugin, qPrintable(BusSpeeds::Captions().at(index)))
                << QString::fromLatin1(plugin) << index;
}

// The adapter runs at the chosen speed, or the plugin is not asked at all: a neighbouring
// speed would put error frames on the vehicle's bus.
void tst_PCANBasic::everyListedSpeedRunsTheAdapterAtThatSpeed()
{
    QFETCH(QString, plugin);
    QFETCH(int, index);
    const TPCANBaudrate code = BusSpeeds::CodeOfIndex(index);
    const int bitRate = BusSpeeds::PluginBitRate(plugin, code);
    if (bitRate == 0) {
        QVERIFY(plugin == QLatin1String("tinycan") || plugin == QLatin1String("systeccan"));
        return;
    }
    const int wanted = plugin == QLatin1String("peakcan") ? code : BusSpeeds::BitRateOfCode(code);
    QCOMPARE(SpeedThePluginOpens(plugin, bitRate), wanted);
}

void tst_PCANBasic::aSpeedThePluginLacksIsRefused()
{
    TFakeCanBus peak({.plugin = "peakcan"});
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0xC34E, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QCOMPARE(peak.LastBitRate.toInt(), 95000);
    TPCANBasic::Uninitialize(PCAN_USBBUS1);

    TFakeCanBus systec({.plugin = "systeccan"});
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0xC34E, PCAN_TYPE_ISA, 0, 0),
             PCAN_ERROR_ILLPARAMVAL);
    QCOMPARE(systec.Created, 0);
    QCOMPARE(TPCANBasic::LastErrorText(),
             QStringLiteral("the systeccan adapter cannot run at 95238 bit/s"));
}

void tst_PCANBasic::initializeRefusals()
{
    TFakeCanBus bus;
    QCOMPARE(TPCANBasic::Initialize(0x52, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_ILLHW);
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x0000, PCAN_TYPE_ISA, 0, 0),
             PCAN_ERROR_ILLPARAMVAL);
    QCOMPARE(bus.Created, 0);

    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x001C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x001C, PCAN_TYPE_ISA, 0, 0),
             PCAN_ERROR_INITIALIZE);
    QCOMPARE(bus.Created, 1);

    TPCANBasic::Uninitialize(PCAN_USBBUS1);
    TPCANBasic::SetDeviceFactory([](QString *error) -> std::unique_ptr<QCanBusDevice> {
        *error = QStringLiteral("Cannot load library: pcanbasic");
        return nullptr;
    });
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0),
             PCAN_ERROR_NODRIVER);
    QCOMPARE(TPCANBasic::LastErrorText(), QStringLiteral("Cannot load library: pcanbasic"));
}

void tst_PCANBasic::failedOpenHoldsNoChannel()
{
    TFakeCanBus bus({.openFails = true});
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_ILLHW);
    QCOMPARE(TPCANBasic::LastErrorText(), QStringLiteral("adapter not plugged in"));
    QVERIFY(!TPCANBasic::Device());
    TPCANMsg message;
    TPCANTimestamp timestamp;
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_INITIALIZE);
}

void tst_PCANBasic::readStatuses()
{
    TFakeCanBus bus;
    TPCANMsg message;
    TPCANTimestamp timestamp;
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_INITIALIZE);

    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_QRCVEMPTY);

    bus.Device()->Inject({ExtendedFrame(0x18FECE47, QByteArray(8, '\1'))});
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_OK);
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_QRCVEMPTY);
    QCOMPARE(TPCANBasic::Read(0x52, message, timestamp), PCAN_ERROR_ILLHW);

    // A dead adapter must not look like an empty queue, or the caller would wait forever.
    bus.Device()->Inject({ExtendedFrame(0x18FECE47, QByteArray(8, '\1'))});
    bus.Device()->Die();
    const TPCANStatus dead = TPCANBasic::Read(PCAN_USBBUS1, message, timestamp);
    QVERIFY(dead != PCAN_ERROR_OK);
    QVERIFY(!(dead & PCAN_ERROR_QRCVEMPTY));
}

void tst_PCANBasic::readFillsTheMessage()
{
    TFakeCanBus bus;
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QCanBusFrame standard(0x123, QByteArray::fromHex("0102"));
    QCanBusFrame invalid(QCanBusFrame::InvalidFrame);
    QCanBusFrame longFrame =
        ExtendedFrame(0x18FECF10, QByteArray::fromHex("00190000000000000000ffff"));
    longFrame.setFlexibleDataRateFormat(true);
    bus.Device()->Inject(
        {ExtendedFrame(0x18FECE47, QByteArray::fromHex("09C4000F")), invalid, standard, longFrame});

    TPCANMsg message;
    TPCANTimestamp timestamp;
    std::fill(std::begin(message.DATA), std::end(message.DATA), quint8(0xEE));
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_OK);
    QCOMPARE(message.ID, 0x18FECE47u);
    QCOMPARE(message.MSGTYPE, PCAN_MESSAGE_EXTENDED);
    QCOMPARE(message.LEN, quint8(4));
    const quint8 expected[8] = {0x09, 0xC4, 0x00, 0x0F, 0, 0, 0, 0};
    QVERIFY(std::equal(std::begin(expected), std::end(expected), message.DATA));

    // The broken frame is skipped, not handed on.
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_OK);
    QCOMPARE(message.ID, 0x123u);
    QCOMPARE(message.MSGTYPE, PCAN_MESSAGE_STANDARD);
    QCOMPARE(message.LEN, quint8(2));

    // A payload longer than a classic frame is cut to eight bytes, never past the buffer.
    QCOMPARE(TPCANBasic::Read(PCAN_USBBUS1, message, timestamp), PCAN_ERROR_OK);
    QCOMPARE(message.LEN, quint8(8));
    QCOMPARE(message.DATA[1], quint8(0x19));
}

void tst_PCANBasic::writeSendsTheMessage()
{
    TFakeCanBus bus;
    TPCANMsg message;
    message.ID = 0x18FAFD25;
    message.MSGTYPE = PCAN_MESSAGE_EXTENDED;
    message.LEN = 1;
    message.DATA[0] = 0x01;
    QCOMPARE(TPCANBasic::Write(PCAN_USBBUS1, message), PCAN_ERROR_INITIALIZE);

    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QCOMPARE(TPCANBasic::Write(PCAN_USBBUS1, message), PCAN_ERROR_OK);
    QCOMPARE(bus.Device()->Written.size(), 1);
    const QCanBusFrame sent = bus.Device()->Written.first();
    QCOMPARE(sent.frameId(), 0x18FAFD25u);
    QVERIFY(sent.hasExtendedFrameFormat());
    QCOMPARE(sent.payload(), QByteArray::fromHex("01"));

    message.LEN = 200;  // a corrupt length never reads past the eight data bytes
    QCOMPARE(TPCANBasic::Write(PCAN_USBBUS1, message), PCAN_ERROR_OK);
    QCOMPARE(bus.Device()->Written.last().payload().size(), 8);
}

void tst_PCANBasic::uninitializeReleasesEvenWhenClosingFails()
{
    TFakeCanBus bus({.closeFails = true});
    QCOMPARE(TPCANBasic::Uninitialize(PCAN_USBBUS1), PCAN_ERROR_INITIALIZE);
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
    QVERIFY(TPCANBasic::Uninitialize(PCAN_USBBUS1) != PCAN_ERROR_OK);
    QVERIFY(!TPCANBasic::Device());
    QCOMPARE(TPCANBasic::Initialize(PCAN_USBBUS1, 0x011C, PCAN_TYPE_ISA, 0, 0), PCAN_ERROR_OK);
}

QTEST_GUILESS_MAIN(tst_PCANBasic)
#include "tst_PCANBasic.moc"
