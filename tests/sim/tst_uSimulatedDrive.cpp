#include "adapter/PCANBasic.h"
#include "protocol/uCalibration.h"
#include "protocol/uFrameDecoder.h"
#include "sim/uSimulatedDrive.h"
#include "sim/uSimulatedUnit.h"

#include <QtTest>

#include <algorithm>
#include <numeric>

class tst_uSimulatedDrive : public QObject
{
    Q_OBJECT
private slots:
    void cadence_data();
    void cadence();
    void aLongGapIsSkipped();
    void dropsSamplesOnPurpose_data();
    void dropsSamplesOnPurpose();
    void oneCycleLooksLikeADrive();
    void bothProtocolsTellTheSameDrive();
    void answersCalibrationAndSpeedFrames();
    void theUnitRoutesWhatIsWrittenToIt();
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
    QTest::newRow("fast bus") << 1085 << 1000 << 1085 << 10;
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
    for (quint32 id : TSimulatedDrive::TestUnitIds) {
        QCOMPARE(count(id), samples);
        QCOMPARE(count(id + 1), samples);
    }
    QCOMPARE(frames.size(), samples * TSimulatedDrive::FramesPerSample + chassis);
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
    QVERIFY(burst.size() <= 110 * TSimulatedDrive::FramesPerSample);
    QVERIFY(burst.size() >= 100 * TSimulatedDrive::FramesPerSample);
    QCOMPARE(drive.FramesUntil(3600 * 1000 + 10).size(), TSimulatedDrive::FramesPerSample);
}

void tst_uSimulatedDrive::dropsSamplesOnPurpose_data()
{
    QTest::addColumn<int>("every");
    QTest::addColumn<int>("burstAt");
    QTest::addColumn<int>("burstCount");
    QTest::addColumn<QList<int>>("dropped");  // of the first 30 samples
    QTest::newRow("none") << 0 << 0 << 0 << QList<int>{};
    QTest::newRow("every 10th") << 10 << 0 << 0 << QList<int>{10, 20, 30};
    QList<int> all(30);
    std::iota(all.begin(), all.end(), 1);
    QTest::newRow("every sample") << 1 << 0 << 0 << all;
    QTest::newRow("burst") << 0 << 5 << 3 << QList<int>{5, 6, 7};
    QTest::newRow("burst from the first") << 0 << 1 << 2 << QList<int>{1, 2};
    QTest::newRow("both") << 7 << 20 << 2 << QList<int>{7, 14, 20, 21, 28};
}

// A dropped sample sends none of its seven unit frames, the chassis goes on, and every frame
// carries its sample's time: sample n at n × 10 ms.
void tst_uSimulatedDrive::dropsSamplesOnPurpose()
{
    QFETCH(int, every);
    QFETCH(int, burstAt);
    QFETCH(int, burstCount);
    QFETCH(QList<int>, dropped);
    TSimulatedDrive drive(100);
    drive.SetDrops({every, burstAt, burstCount});
    QList<QCanBusFrame> frames;
    for (int ms = 0; ms <= 300; ms += 7)
        frames << drive.FramesUntil(ms);
    frames << drive.FramesUntil(300);

    QMap<int, int> unitFrames;  // sample number: its unit frames
    int chassis = 0;
    for (const QCanBusFrame &frame : frames) {
        const qint64 us = frame.timeStamp().seconds() * 1000000 + frame.timeStamp().microSeconds();
        QCOMPARE(us % 10000, 0);
        if (frame.frameId() == TSimulatedDrive::ChassisId)
            ++chassis;
        else
            ++unitFrames[int(us / 10000)];
    }
    QCOMPARE(chassis, 3);
    for (int n = 1; n <= 30; ++n)
        QCOMPARE(unitFrames.value(n), dropped.contains(n) ? 0 : TSimulatedDrive::FramesPerSample);
}

void tst_uSimulatedDrive::oneCycleLooksLikeADrive()
{
    TSimulatedDrive drive;
    double maxSpeed = 0, maxTilt = 0, maxAccY = 0, maxLtr = 0;
    int ltrCrossings = 0, statusSamples = 0;
    bool above = false;
    for (int ms = 0; ms < 60 * 1000; ms += 50) {
        for (const QCanBusFrame &frame : drive.FramesUntil(ms)) {
            const TPCANMsg message = MessageFromFrame(frame);
            if (frame.frameId() == TSimulatedDrive::ChassisId) {
                TChassisData chassis;
                DecodeChassisFrame(message, chassis);
                maxSpeed = std::max(maxSpeed, chassis.VehicleSpeed);
            } else if (frame.frameId() == TSimulatedDrive::UnitId) {
                TSensorSample v;
                DecodeProductionDataFrame(message, v);
                maxTilt = std::max({maxTilt, std::abs(v.TiltX), std::abs(v.TiltY)});
                maxAccY = std::max(maxAccY, std::abs(v.AccY));
                maxLtr = std::max(maxLtr, v.LTR);
                if (!above && v.LTR > 0.5)
                    ++ltrCrossings;
                above = v.LTR > 0.5;
                statusSamples += v.Status != 0;
            }
        }
    }
    QVERIFY2(maxSpeed > 50 && maxSpeed <= 60, qPrintable(QString::number(maxSpeed)));
    QVERIFY2(maxTilt > 1 && maxTilt < 8, qPrintable(QString::number(maxTilt)));
    QVERIFY2(maxAccY > 0.4 && maxAccY < 0.7, qPrintable(QString::number(maxAccY)));
    QVERIFY2(ltrCrossings >= 1 && maxLtr < 1, qPrintable(QString::number(maxLtr)));
    QVERIFY(statusSamples > 0 && statusSamples < 3000);
}

void tst_uSimulatedDrive::bothProtocolsTellTheSameDrive()
{
    TSimulatedDrive drive;
    const QList<QCanBusFrame> frames = drive.FramesUntil(900);  // in the first curve
    TSensorSample production, test, unit2;
    for (const QCanBusFrame &frame : frames) {
        const TPCANMsg message = MessageFromFrame(frame);
        if (frame.frameId() == TSimulatedDrive::UnitId)
            DecodeProductionDataFrame(message, production);
        else if (frame.frameId() == 0x18FEDC10)
            DecodeMotionFrame(message, test, 1000.0);
        else if (frame.frameId() == 0x18FEDC11)
            DecodeStatusFrame(message, test);
        else if (frame.frameId() == 0x18FEDC20)
            DecodeMotionFrame(message, unit2, 100.0);
    }
    const TDriveState &truth = drive.State();
    QVERIFY(std::abs(production.TiltX - truth.TiltX) <= 0.006);
    QVERIFY(std::abs(test.TiltX - truth.TiltX) <= 0.006);
    QVERIFY(std::abs(test.AccY - truth.AccY) <= 0.0006);
    QVERIFY(std::abs(unit2.AccY - truth.AccY * 1.06) <= 0.006);
    QCOMPARE(test.Firmware, QStringLiteral("2.3"));
    QVERIFY(test.Temperature > 15 && test.Temperature < 50);
    QCOMPARE(test.FrameCounter, 90);
}

void tst_uSimulatedDrive::answersCalibrationAndSpeedFrames()
{
    TSimulatedDrive drive;
    drive.FramesUntil(800);
    const double tiltY = drive.State().TiltY;
    drive.HearCalibrationRequest(2, 800);
    drive.FramesUntil(810);
    QVERIFY(std::abs(drive.State().TiltY) < std::abs(tiltY) / 2 + 0.3);  // measured from here on
    drive.HearCalibrationRequest(1, 810);
    drive.FramesUntil(820);
    QVERIFY(std::abs(drive.State().TiltY - tiltY) < 0.5);

    // Speed frames keep the chassis silent and set the drive's speed.
    drive.HearSpeedFrame(30, 820);
    const QList<QCanBusFrame> heard = drive.FramesUntil(1000);
    QVERIFY(std::none_of(heard.cbegin(), heard.cend(), [](const QCanBusFrame &f) {
        return f.frameId() == TSimulatedDrive::ChassisId;
    }));
    QVERIFY(std::abs(drive.State().AccX) < 0.4);  // reached as a vehicle would, not in a jump
    for (int ms = 1000; ms < 4000; ms += 100) {   // frames keep coming: the drive gets there
        drive.HearSpeedFrame(30, ms);
        drive.FramesUntil(ms + 100);
    }
    QCOMPARE(drive.State().SpeedKmh, 30.0);
    const QList<QCanBusFrame> later = drive.FramesUntil(4300);
    QVERIFY(std::any_of(later.cbegin(), later.cend(), [](const QCanBusFrame &f) {
        return f.frameId() == TSimulatedDrive::ChassisId;
    }));

    const auto unitSpeaks = [](const QList<QCanBusFrame> &frames) {
        return std::any_of(frames.cbegin(), frames.cend(), [](const QCanBusFrame &f) {
            return f.frameId() == TSimulatedDrive::UnitId;
        });
    };
    drive.HearCalibrationRequest(0, 4300);  // reset: half a second of silence
    QVERIFY(!unitSpeaks(drive.FramesUntil(4790)));
    QVERIFY(unitSpeaks(drive.FramesUntil(4900)));
}

// The device in the program: a speed frame reaches the drive's chassis, a calibration request
// the unit, anything else nothing; a closed device or an invalid frame takes no write.
void tst_uSimulatedDrive::theUnitRoutesWhatIsWrittenToIt()
{
    TSimulatedUnit unit;
    const QCanBusFrame reset(CalibrationRequestId, QByteArray(1, char(crReset)));
    QVERIFY(!unit.writeFrame(reset));
    QVERIFY(unit.connectDevice());
    QSignalSpy written(&unit, &QCanBusDevice::framesWritten);
    const auto idsHeardFor = [&unit](int ms) {
        unit.readAllFrames();
        QTest::qWait(ms);
        QSet<quint32> ids;
        for (const QCanBusFrame &frame : unit.readAllFrames())
            ids << frame.frameId();
        return ids;
    };
    QVERIFY(unit.writeFrame(QCanBusFrame(0x123, QByteArray(8, '\0'))));
    QVERIFY(idsHeardFor(300).contains(TSimulatedDrive::ChassisId));

    // The waits stay well inside the silences, for a busy machine.
    for (int i = 0; i < 6; ++i) {  // each speed frame keeps the chassis silent for 200 ms
        QVERIFY(unit.writeFrame(TSimulatedDrive::ChassisFrame(30)));
        QVERIFY(!idsHeardFor(50).contains(TSimulatedDrive::ChassisId));
    }

    QVERIFY(unit.writeFrame(reset));  // half a second of silence
    QVERIFY(!idsHeardFor(100).contains(TSimulatedDrive::UnitId));
    QTRY_VERIFY(idsHeardFor(100).contains(TSimulatedDrive::UnitId));

    QVERIFY(!unit.writeFrame(QCanBusFrame(QCanBusFrame::InvalidFrame)));
    QCOMPARE(written.count(), 8);
}

QTEST_GUILESS_MAIN(tst_uSimulatedDrive)
#include "tst_uSimulatedDrive.moc"
