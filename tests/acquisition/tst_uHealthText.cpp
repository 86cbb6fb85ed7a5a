#include "acquisition/uHealthText.h"
#include "support/uWatchedAcquisition.h"

#include <QtTest>

namespace {

QCanBusFrame Stamped(quint32 id, const char *hex, qint64 us)
{
    QCanBusFrame frame = ExtendedFrame(id, QByteArray::fromHex(hex));
    frame.setTimeStamp(QCanBusFrame::TimeStamp::fromMicroSeconds(us));
    return frame;
}

// Three seconds of unit 1 at 100 samples a second, every tenth sample left out; in the test
// protocol units 1 and 2 send their two frames each.
void DriveWithEveryTenthSampleLost(TWatched &watched, bool test)
{
    QList<QCanBusFrame> frames;
    for (int number = 1; number <= 300; ++number) {
        if (number % 10 == 0)
            continue;
        const qint64 us = 1'000'000 + qint64(number) * 10'000;
        if (!test) {
            frames << Stamped(0x18FECE47, "4023282328C8643C", us);
            continue;
        }
        for (quint32 base : {0x18FEDC10u, 0x18FEDC20u})
            frames << Stamped(base, "0000000000000000", us)
                   << Stamped(base + 1, "0000000000000000", us + 100);
    }
    watched.Bus.Device()->Inject(frames);
    watched.Acquisition.Drain();
}

}  // namespace

class tst_uHealthText : public QObject
{
    Q_OBJECT
private slots:
    void theAdapterComesFirst_data();
    void theAdapterComesFirst();
    void unitsAndBusOfAnOpenChannel_data();
    void unitsAndBusOfAnOpenChannel();
    void theSummaryOfARun();
};

void tst_uHealthText::theAdapterComesFirst_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("alarm");
    QTest::newRow("before Connect") << "none"
                                    << "not connected" << false;
    QTest::newRow("open failed") << "fails"
                                 << "the adapter could not be opened: adapter not plugged in"
                                 << true;
    QTest::newRow("connecting") << "later"
                                << "connecting to the adapter" << false;
    QTest::newRow("lost") << "dies"
                          << "adapter lost: adapter unplugged; trying again" << true;
    QTest::newRow("after Disconnect") << "disconnected"
                                      << "not connected" << false;
}

void tst_uHealthText::theAdapterComesFirst()
{
    QFETCH(QString, situation);
    QFETCH(QString, line);
    QFETCH(bool, alarm);
    TWatched watched({.openFails = situation == "fails", .connectsLater = situation == "later"});
    if (situation != "none")
        watched.Acquisition.Connect(0x011C);
    if (situation == "dies" || situation == "disconnected") {
        watched.Bus.Behaviour.openFails = true;
        watched.Bus.Device()->Die();
        watched.Acquisition.Drain();
    }
    if (situation == "disconnected")
        watched.Acquisition.Disconnect();
    const THealthText text = HealthText(watched.Acquisition);
    QCOMPARE(text.Line, line);
    QCOMPARE(text.Alarm, alarm);
}

void tst_uHealthText::unitsAndBusOfAnOpenChannel_data()
{
    QTest::addColumn<bool>("test");
    QTest::addColumn<bool>("dropping");
    QTest::addColumn<qint64>("waitedMs");  // after Connect
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("alarm");
    QTest::newRow("nothing heard yet")
        << false << false << NotHeardMs - 1 << "unit 1: 0.0 samples/s · bus: 0 errors" << false;
    QTest::newRow("not heard")
        << false << false << NotHeardMs
        << "unit 1: not heard: check the bus speed (250 kbit/s), the wiring and the identifier "
           "18FECE47 · bus: 0 errors"
        << true;
    QTest::newRow("production") << false << true << NotHeardMs
                                << "unit 1: 90.0 samples/s, 29 lost · bus: 0 errors" << true;
    QTest::newRow("test protocol")
        << true << true << NotHeardMs
        << "unit 1: 90.0 samples/s, 29 lost · unit 2: 90.0 samples/s, 29 lost · bus: 0 errors"
        << true;
}

void tst_uHealthText::unitsAndBusOfAnOpenChannel()
{
    QFETCH(bool, test);
    QFETCH(bool, dropping);
    QFETCH(qint64, waitedMs);
    QFETCH(QString, line);
    QFETCH(bool, alarm);
    TWatched watched;
    if (test) {
        watched.Acquisition.State.ProtocolEnv = TProtocolEnv::peTest;
        watched.Acquisition.State.CanId1 = QStringLiteral("18FEDC10");
        watched.Acquisition.State.CanId2 = QStringLiteral("18FEDC20");
    }
    watched.Acquisition.Connect(0x011C);
    if (dropping)
        DriveWithEveryTenthSampleLost(watched, test);
    watched.Clock.Ms += waitedMs;
    const THealthText text = HealthText(watched.Acquisition);
    QCOMPARE(text.Line, line);
    QCOMPARE(text.Alarm, alarm);
    if (dropping)
        QVERIFY(text.Identifiers.startsWith(test ? "18FEDC10: 90.0 frames/s\n"
                                                 : "18FECE47: 90.0 frames/s"));
}

void tst_uHealthText::theSummaryOfARun()
{
    TWatched watched;
    watched.Acquisition.Connect(0x011C);
    DriveWithEveryTenthSampleLost(watched, false);
    watched.Acquisition.Disconnect();
    QCOMPARE(SupervisionSummary(watched.Acquisition),
             QStringLiteral("unit 1: 270 samples, 29 lost, 0 late, 0 incomplete · bus: 0 errors"));

    // Frames the adapter did not stamp share their drain's moment: no period, no verdict.
    watched.Acquisition.Connect(0x011C);
    watched.Bus.Device()->Inject(QList<QCanBusFrame>(
        TSampleGaps::MostLearningSamples + 88, ExtendedFrame(0x18FECE47, QByteArray::fromHex("4023282328C8643C"))));
    watched.Acquisition.Drain();
    QCOMPARE(SupervisionSummary(watched.Acquisition),
             QStringLiteral("unit 1: 600 samples, losses not judged (no time stamps, or over "
                            "1000 samples/s), 0 incomplete · bus: 0 errors"));
    // The live line says so too, rather than look like a drive without losses.
    const QString line = HealthText(watched.Acquisition).Line;
    QVERIFY2(line.contains(", losses not judged · "), qPrintable(line));
}

QTEST_GUILESS_MAIN(tst_uHealthText)
#include "tst_uHealthText.moc"
