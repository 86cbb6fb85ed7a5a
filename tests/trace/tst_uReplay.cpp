#include "acquisition/uAcquisition.h"
#include "log/uLogSession.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"
#include "trace/uCandumpLine.h"
#include "trace/uReplay.h"
#include "trace/uReplayClock.h"
#include "trace/uReplayDevice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

constexpr qint64 T0 = 1733660000'000000;  // trace time of the first frame, µs

TTraceFrame At(qint64 afterUs, quint8 byte = 0, bool sent = false)
{
    return {T0 + afterUs, {0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {byte}}, sent};
}

// The data bytes of the frames in the order played, each with the time it fell due.
QList<QPair<int, qint64>> Played(TReplay &replay)
{
    QList<QPair<int, qint64>> played;
    replay.Play(0);
    while (const std::optional<qint64> due = replay.NextDueRealUs()) {
        for (const TTraceFrame &frame : replay.TakeDue(*due))
            played.append({frame.Message.DATA[0], replay.StartUs() + *due});
    }
    return played;
}

// A trace file of the format: frames 10 ms apart, each holding its number's low byte.
QByteArray LongTrace(const QByteArray &format, int frames)
{
    QByteArray text = format == "ASC"
                          ? "date Sun Dec 8 12:13:20.000 2024\nbase hex  timestamps relative\n"
                            "Begin Triggerblock Sun Dec 8 12:13:20.000 2024\n"
                      : format == "TRC" ? ";$FILEVERSION=2.1\n;$STARTTIME=45634.5\n"
                                          ";$COLUMNS=N,O,T,B,I,d,R,L,D\n"
                                        : "";
    for (int i = 0; i < frames; ++i) {
        const QByteArray byte = QByteArray::number(i & 0xFF, 16).rightJustified(2, '0');
        if (format == "ASC")
            text += QByteArray(i == 0 ? "0.000000" : "0.010000") + " 1  18FECE47x  Rx   d 1 " + byte
                    + '\n';
        else if (format == "TRC")
            text += QByteArray::number(i + 1) + ' ' + QByteArray::number(i * 10) + ".000 DT 1 "
                    + "18FECE47 Rx - 1 " + byte + '\n';
        else
            text += Candump::Line(At(i * 10000LL, quint8(i))) + '\n';
    }
    return text;
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

    // Within a second of the latest frame read, a frame still goes to its place in time; one
    // later than that is played at once, after what has been played, with its own stamp.
    void framesArePlayedInTimeOrderWithinASecond_data()
    {
        QTest::addColumn<QList<qint64>>("timesMs");  // of frames 1, 2, ... in the file
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QList<qint64>>("dueMs");
        QTest::newRow("in order") << QList<qint64>{0, 10, 20} << QList<int>{1, 2, 3}
                                  << QList<qint64>{0, 10, 20};
        QTest::newRow("merged channels") << QList<qint64>{0, 30, 10, 20} << QList<int>{1, 3, 4, 2}
                                         << QList<qint64>{0, 10, 20, 30};
        QTest::newRow("equal times")
            << QList<qint64>{5, 5, 5} << QList<int>{1, 2, 3} << QList<qint64>{5, 5, 5};
        QTest::newRow("a second late")
            << QList<qint64>{1000, 0} << QList<int>{2, 1} << QList<qint64>{0, 1000};
        QTest::newRow("more than a second late")
            << QList<qint64>{0, 1500, 3000, 200} << QList<int>{1, 2, 4, 3}
            << QList<qint64>{0, 1500, 1500, 3000};
    }
    void framesArePlayedInTimeOrderWithinASecond()
    {
        QFETCH(QList<qint64>, timesMs);
        QFETCH(QList<int>, order);
        QFETCH(QList<qint64>, dueMs);
        std::vector<TTraceFrame> frames;
        for (int i = 0; i < timesMs.size(); ++i)
            frames.push_back(At(timesMs[i] * 1000, quint8(i + 1)));
        TReplay replay;
        replay.SetFrames(frames);
        QList<QPair<int, qint64>> expected;
        for (int i = 0; i < order.size(); ++i)
            expected.append({order[i], T0 + dueMs[i] * 1000});
        QCOMPARE(Played(replay), expected);
    }

    // A trace is read again from places a few thousand frames apart, with what its head said:
    // a move lands on the right frame, and from there every frame to the end is played.
    void aMoveInALongTraceLandsOnItsFrame_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("frame");  // moved to, 10 ms apart
        const int place = int(TTraceIndex::FirstStride);
        for (const QByteArray format : {"candump", "ASC", "TRC"}) {
            QTest::newRow(format + ", the start") << format << 0;
            QTest::newRow(format + ", before a place") << format << place - 1;
            QTest::newRow(format + ", at a place") << format << place;
            QTest::newRow(format + ", after the second") << format << 2 * place + 7;
            QTest::newRow(format + ", the last frame") << format << 3 * place + 99;
        }
    }
    void aMoveInALongTraceLandsOnItsFrame()
    {
        QFETCH(QByteArray, format);
        QFETCH(int, frame);
        const int frames = 3 * int(TTraceIndex::FirstStride) + 100;
        QFile file(QStringLiteral("long.trace"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(LongTrace(format, frames));
        file.close();
        TReplay replay;
        QString error;
        QVERIFY2(replay.Load(file.fileName(), &error), qPrintable(error));
        QCOMPARE(replay.Frames(), qint64(frames));
        QCOMPARE(replay.EndUs() - replay.StartUs(), (frames - 1) * 10000LL);

        replay.Seek(replay.StartUs() + frame * 10000LL - 3000, 0);  // between two frames
        replay.Play(0);
        QCOMPARE(replay.NextDueRealUs(), std::optional<qint64>(frame > 0 ? 3000 : 0));
        int played = 0;
        for (std::span<const TTraceFrame> due; !(due = replay.TakeDue(qint64(1) << 60)).empty();) {
            if (played == 0)
                QCOMPARE(int(due.front().Message.DATA[0]), frame & 0xFF);
            played += int(due.size());
        }
        QCOMPARE(played, frames - frame);
        QVERIFY(replay.AtEnd());
    }

    // However long the trace, the index keeps no more places than it may, and a move still
    // starts reading within a stride before its frame.
    void theIndexStaysWithinItsPlaces_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("places");
        QTest::newRow("none") << 0 << 1;
        QTest::newRow("full") << 31 << 8;  // a stride of 4, at most 8 places
        QTest::newRow("thinned once") << 32 << 5;
        QTest::newRow("thinned often") << 1000 << 8;
    }
    void theIndexStaysWithinItsPlaces()
    {
        QFETCH(int, frames);
        QFETCH(int, places);
        std::vector<TTraceFrame> held;
        for (int i = 0; i < frames; ++i)
            held.push_back(At(i * 10000LL));
        THeldFrames source(held);
        TTraceIndex index(4, 8);
        QVERIFY(index.Build(source));
        QCOMPARE(int(index.Places()), places);
        for (int i = 0; i < frames; ++i) {
            const TTraceIndex::TStart &start = index.StartFor(held[size_t(i)].TimeUs);
            QVERIFY(start.Frame <= i && i - start.Frame < index.Stride());
            QVERIFY(start.LatestUs < held[size_t(i)].TimeUs);
        }
    }

    // A pipe would hold the start until something writes to it; a folder or a device is no
    // trace either.
    void onlyAFileIsReplayed_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("what");
        QTest::newRow("a folder") << QStringLiteral(".") << QStringLiteral("a folder");
#ifdef Q_OS_UNIX
        QTest::newRow("a device") << QStringLiteral("/dev/null") << QStringLiteral("device");
        QTest::newRow("a pipe") << QStringLiteral("pipe") << QStringLiteral("pipe");
#endif
    }
    void onlyAFileIsReplayed()
    {
        QFETCH(QString, path);
        QFETCH(QString, what);
#ifdef Q_OS_UNIX
        QFile::remove(QStringLiteral("pipe"));
        QCOMPARE(mkfifo("pipe", 0600), 0);
#endif
        TReplay replay;
        QString error;
        QVERIFY(!replay.Load(path, &error));
        QVERIFY2(error.contains(what) && error.contains(QLatin1String("not a trace file")),
                 qPrintable(error));
    }

    // The device sleeps while the replay waits and wakes when the next frame is due, not
    // before; the bar's play, pause and speed reach it through the replay.
    void theDeviceWakesOnlyForTheNextFrame()
    {
        TReplay replay;
        replay.SetFrames({At(0), At(250000), At(260000)});
        TReplayDevice device(replay);
        QVERIFY(device.connectDevice());
        QCOMPARE(device.framesAvailable(), qint64(1));
        const int first = device.WakeInMs().value_or(-1);
        QVERIFY2(first > 100 && first <= 250, qPrintable(QString::number(first)));
        replay.Pause(SteadyUs());
        QCOMPARE(device.WakeInMs(), std::nullopt);
        replay.Play(SteadyUs());
        replay.SetSpeed(10, SteadyUs());
        QVERIFY(device.WakeInMs().value_or(-1) <= 25);
        QTRY_VERIFY(replay.AtEnd());
        QCOMPARE(device.framesAvailable(), qint64(3));
        QCOMPARE(device.WakeInMs(), std::nullopt);
        device.disconnectDevice();
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
