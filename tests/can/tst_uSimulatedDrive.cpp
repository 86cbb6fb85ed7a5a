#include "can/uSimulatedDrive.h"

#include <QtTest>

#include <algorithm>

namespace {

// Production data frame as a unit encodes it: tilts raw/100 − 90, accelerations
// (raw − 100)/100, LTR raw/100.
struct TDecoded {
    double tiltX, tiltY, accX, accY, ltr;
    quint8 status;
};

TDecoded Decode(const QByteArray &d)
{
    const auto u8 = [&](int i) { return quint8(d[i]); };
    return {(u8(1) << 8 | u8(2)) / 100.0 - 90.0, (u8(3) << 8 | u8(4)) / 100.0 - 90.0,
            (u8(5) - 100) / 100.0, (u8(6) - 100) / 100.0, u8(7) / 100.0, u8(0)};
}

} // namespace

class tst_uSimulatedDrive : public QObject
{
    Q_OBJECT
private slots:
    void cadence_data();
    void cadence();
    void aLongGapIsSkipped();
    void oneCycleLooksLikeADrive();
};

void tst_uSimulatedDrive::cadence_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("elapsedMs");
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("chassis");
    QTest::newRow("nothing yet") << 100 << 9 << 0 << 0;
    QTest::newRow("first sample") << 100 << 10 << 1 << 0;
    QTest::newRow("one second") << 100 << 1000 << 100 << 10;
    QTest::newRow("fast bus") << 7600 << 1000 << 7600 << 10;
    QTest::newRow("slow unit") << 5 << 1000 << 5 << 10;
}

void tst_uSimulatedDrive::cadence()
{
    QFETCH(int, rate);
    QFETCH(int, elapsedMs);
    QFETCH(int, samples);
    QFETCH(int, chassis);
    TSimulatedDrive drive(rate);
    QList<QCanBusFrame> frames;
    for (int ms = 0; ms <= elapsedMs; ms += 7)  // ticks that do not line up with samples
        frames << drive.FramesUntil(ms);
    frames << drive.FramesUntil(elapsedMs);
    const auto count = [&](quint32 id) {
        return int(std::count_if(frames.cbegin(), frames.cend(),
                                 [id](const QCanBusFrame &f) { return f.frameId() == id; }));
    };
    QCOMPARE(count(TSimulatedDrive::UnitId), samples);
    QCOMPARE(count(TSimulatedDrive::ChassisId), chassis);
    for (const QCanBusFrame &frame : frames) {
        QVERIFY(frame.hasExtendedFrameFormat());
        QCOMPARE(frame.payload().size(), 8);
    }
}

void tst_uSimulatedDrive::aLongGapIsSkipped()
{
    TSimulatedDrive drive;
    drive.FramesUntil(1000);
    const QList<QCanBusFrame> burst = drive.FramesUntil(3600 * 1000);
    QVERIFY(burst.size() <= 110);
    QVERIFY(burst.size() >= 100);
    QCOMPARE(drive.FramesUntil(3600 * 1000 + 10).size(), 1);
}

void tst_uSimulatedDrive::oneCycleLooksLikeADrive()
{
    TSimulatedDrive drive;
    double maxSpeed = 0, maxTilt = 0, maxAccY = 0, maxLtr = 0;
    int ltrCrossings = 0, statusSamples = 0;
    bool above = false;
    QList<QCanBusFrame> frames;
    for (int ms = 0; ms < 60 * 1000; ms += 50)
        frames << drive.FramesUntil(ms);
    for (const QCanBusFrame &frame : frames) {
        if (frame.frameId() == TSimulatedDrive::ChassisId) {
            const QByteArray d = frame.payload();
            maxSpeed = std::max(maxSpeed, (quint8(d[0]) | quint8(d[1]) << 8) / 256.0);
            continue;
        }
        const TDecoded v = Decode(frame.payload());
        maxTilt = std::max({maxTilt, std::abs(v.tiltX), std::abs(v.tiltY)});
        maxAccY = std::max(maxAccY, std::abs(v.accY));
        maxLtr = std::max(maxLtr, v.ltr);
        if (!above && v.ltr > 0.5)
            ++ltrCrossings;
        above = v.ltr > 0.5;
        statusSamples += v.status != 0;
    }
    QVERIFY2(maxSpeed > 50 && maxSpeed <= 60, qPrintable(QString::number(maxSpeed)));
    QVERIFY2(maxTilt > 1 && maxTilt < 8, qPrintable(QString::number(maxTilt)));
    QVERIFY2(maxAccY > 0.4 && maxAccY < 0.7, qPrintable(QString::number(maxAccY)));
    QVERIFY2(ltrCrossings >= 1 && maxLtr < 1, qPrintable(QString::number(maxLtr)));
    QVERIFY(statusSamples > 0 && statusSamples < 3000);
}

QTEST_GUILESS_MAIN(tst_uSimulatedDrive)
#include "tst_uSimulatedDrive.moc"
