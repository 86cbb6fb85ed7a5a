#include "can/uAcquisition.h"
#include "log/uLogSession.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"
#include "trace/uReplay.h"
#include "trace/uReplayClock.h"
#include "trace/uReplayDevice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 T0 = 1733660000'000000;  // trace time of the first frame, µs

TTraceFrame At(qint64 afterUs, quint8 byte = 0, bool sent = false)
{
    return {T0 + afterUs, {0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {byte}}, sent};
}

QList<QByteArray> Records(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll().split('\n').mid(5);
}

}  // namespace

class tst_uReplay : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir::setCurrent(m_folder.path())); }

    // Frames fall due at their trace time against the real clock, at the chosen speed; a
    // pause stands the trace's time still and a speed change keeps the place.
    void framesFallDueAtTheirTime()
    {
        TReplay replay;
        replay.SetFrames({At(0, 1), At(10000, 2), At(20000, 3), At(1000000, 4)});
        QVERIFY(replay.TakeDue(0).empty());  // not playing yet
        replay.Play(500);
        QCOMPARE(replay.TakeDue(500).size(), size_t(1));
        QCOMPARE(replay.NextDueRealUs(), std::optional<qint64>(10500));
        QVERIFY(replay.TakeDue(10499).empty());
        QCOMPARE(replay.TakeDue(10500).front().Message.DATA[0], quint8(2));

        replay.Pause(15500);
        QCOMPARE(replay.TraceTimeUs(99999999), T0 + 15000);
        QVERIFY(replay.TakeDue(99999999).empty());
        QCOMPARE(replay.NextDueRealUs(), std::nullopt);
        replay.Play(100000);
        replay.SetSpeed(10, 100000);
        QCOMPARE(replay.NextDueRealUs(), std::optional<qint64>(100500));
        replay.SetSpeed(3, 100000);  // not offered: ignored
        QCOMPARE(replay.Speed(), 10);

        // The last frame leaves the replay paused at the end; Play starts it again.
        QCOMPARE(replay.TakeDue(200000).size(), size_t(2));
        QVERIFY(replay.AtEnd() && !replay.Playing());
        QCOMPARE(replay.TraceTimeUs(300000), replay.EndUs());
        replay.Play(300000);
        QCOMPARE(replay.TakeDue(300000).size(), size_t(1));
    }

    void aSeekMovesToTheFirstFrameFromThere()
    {
        TReplay replay;
        replay.SetFrames({At(20000, 3), At(0, 1), At(10000, 2)});  // put in time order
        replay.Play(0);
        QCOMPARE(replay.TakeDue(30000).size(), size_t(3));
        QVERIFY(replay.AtEnd() && !replay.Playing());
        replay.Seek(T0 + 5000, 40000);  // back: the later frames play again
        QVERIFY(!replay.AtEnd());
        replay.Play(40000);
        const auto due = replay.TakeDue(40000 + 5000);
        QCOMPARE(due.size(), size_t(1));
        QCOMPARE(due.front().Message.DATA[0], quint8(2));
        replay.Seek(T0 + 99999999, 50000);  // past the end: at the end
        QCOMPARE(replay.TraceTimeUs(50000), replay.EndUs());
    }

    // Only what the units sent is played back; a trace without any cannot be replayed.
    void loadingKeepsTheReceivedFrames()
    {
        QFile file(QStringLiteral("drive.log"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Candump::Line(At(0, 1)) + '\n' + Candump::Line(At(5000, 9, true)) + '\n'
                   + "damaged\n" + Candump::Line(At(10000, 2)) + '\n');
        file.close();
        TReplay replay;
        QString error;
        QVERIFY2(replay.Load(QStringLiteral("drive.log"), &error), qPrintable(error));
        QCOMPARE(replay.EndUs() - replay.StartUs(), qint64(10000));
        QCOMPARE(replay.DamagedLines(), qint64(1));

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(Candump::Line(At(0, 1, true)) + '\n');
        file.close();
        QVERIFY(!replay.Load(QStringLiteral("drive.log"), &error));
        QVERIFY(error.contains(QLatin1String("no received frame")));
        QVERIFY(!replay.Load(QStringLiteral("missing.log"), &error));
    }

    // A drive logged live with its raw trace, then replayed through the same acquisition:
    // the log written during the replay has the same records, times included.
    void aReplayedTraceGivesTheSameRecords()
    {
        QString error;
        QString originalLog, originalTrace;
        {
            TFakeCanBus bus;
            TFakeClock clock;
            TAcquisition acquisition(clock);
            TLogSession log;
            log.SetBaseName(QStringLiteral("live.csv"));
            acquisition.AddSink(log);
            acquisition.SetFrameTap(&log);
            QVERIFY(acquisition.Connect(0x011C));
            QVERIFY(log.StartLogging(acquisition.State, clock.Read(), &error));
            for (int tick = 0; tick < 60; ++tick) {  // 3 s of 50 ms drains, 5 samples each
                QList<QCanBusFrame> frames;
                for (int i = 0; i < 5; ++i)
                    frames << ExtendedFrame(0x18FECE47,
                                            QByteArray::fromHex("0A23282328C8643C")
                                                .replace(0, 1, QByteArray(1, char(tick + i))));
                frames << ExtendedFrame(0x18FECF10, QByteArray::fromHex("0032010000000000"));
                bus.Device()->Inject(frames);
                clock.Ms += 50;
                acquisition.Drain();
            }
            originalLog = log.FileName();
            originalTrace = log.RawTraceName();
            QVERIFY(log.StopLogging(&error));
            acquisition.Disconnect();
        }

        TReplay replay;
        QVERIFY(replay.Load(originalTrace, &error));
        TReplayClock clock(replay);
        TPCANBasic::SetDeviceFactory(ReplayDeviceFactory(replay));
        TAcquisition acquisition(clock);
        TLogSession log;
        log.SetBaseName(QStringLiteral("replayed.csv"));
        log.KeepRawTrace = false;
        acquisition.AddSink(log);
        QVERIFY(acquisition.Connect(0x011C));
        replay.SetSpeed(10, SteadyUs());
        QVERIFY(log.StartLogging(acquisition.State, clock.Read(), &error));
        QTimer drain;
        connect(&drain, &QTimer::timeout, [&] { acquisition.Drain(); });
        drain.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(replay.AtEnd(), 5000);
        QTest::qWait(120);
        const QString replayedLog = log.FileName();
        QVERIFY(log.StopLogging(&error));
        acquisition.Disconnect();
        TPCANBasic::SetDeviceFactory({});

        QCOMPARE(Records(replayedLog).size(), 300 + 1);
        QCOMPARE(Records(replayedLog), Records(originalLog));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(tst_uReplay)
#include "tst_uReplay.moc"
