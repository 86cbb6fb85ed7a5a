#include "support/uFakeClock.h"
#include "trace/uReplayTimeLine.h"

#include <QtTest>

namespace {

constexpr qint64 T0 = 1733660000'000000;  // trace time of the first frame, µs
constexpr qint64 Second = 1'000'000;

// A minute of trace, the replay and its time line; the events record and the log's stop, in
// the order they come.
struct TReplayed : TEventSink {
    TReplayed()
    {
        std::vector<TTraceFrame> frames;
        for (qint64 us = 0; us <= 60 * Second; us += Second)
            frames.push_back({T0 + us, {0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {}}, false});
        Replay.SetFrames(std::move(frames));
        TimeLine.LogRunning = [this] { return LogRunning; };
        TimeLine.StopLog = [this] {
            Record.append(QStringLiteral("log stopped"));
            LogRunning = false;
        };
    }
    void DriveEventOccurred(const char *event, const QString &details) override
    {
        Record.append(QString::fromLatin1(event) + QLatin1Char(';') + details);
    }
    // Unit 1's samples at 100/s over the trace's span, read as they are stamped.
    void Samples(qint64 fromUs, qint64 toUs)
    {
        for (qint64 us = fromUs; us < toUs; us += 10000) {
            Acquisition.Supervision.FrameRead({0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {}}, us,
                                              QDateTime::fromMSecsSinceEpoch(us / 1000));
            Acquisition.Supervision.UnitFrame(1, TSampleFrame::Whole);
        }
    }

    TFakeClock Clock;
    TAcquisition Acquisition{Clock};
    TReplay Replay;
    QStringList Record;
    TReplayTimeLine TimeLine{Replay, Acquisition, this};
    bool LogRunning = true;
};

}  // namespace

class tst_uReplayTimeLine : public QObject
{
    Q_OBJECT
private slots:
    // A log holds one run of time: only a move back stops it, the reason written first.
    void aMoveBackStopsTheLogFirst_data()
    {
        QTest::addColumn<QString>("move");
        QTest::addColumn<bool>("logRunning");
        QTest::addColumn<QStringList>("record");
        const QString runBack = QStringLiteral(", the log stops: its times would run back");
        QTest::newRow("play again at the end")
            << "again" << true
            << QStringList{"replay moved back;from the start again" + runBack, "log stopped"};
        QTest::newRow("a seek back")
            << "back" << true
            << QStringList{"replay moved back;back to "
                               + QDateTime::fromMSecsSinceEpoch(T0 / 1000 + 20000)
                                     .toString(QStringLiteral("HH:mm:ss.zzz"))
                               + runBack,
                           "log stopped"};
        QTest::newRow("a seek ahead") << "ahead" << true << QStringList();
        QTest::newRow("play after a pause") << "resume" << true << QStringList();
        QTest::newRow("play again, no log") << "again" << false << QStringList();
    }
    void aMoveBackStopsTheLogFirst()
    {
        QFETCH(QString, move);
        QFETCH(bool, logRunning);
        QFETCH(QStringList, record);
        TReplayed replayed;
        TReplay &replay = replayed.Replay;
        replay.Seek(T0 + 30 * Second, 0);
        replay.Play(0);
        replay.Pause(Second);
        replayed.LogRunning = logRunning;
        if (move == QLatin1String("again")) {
            replay.Seek(replay.EndUs(), Second);
            replay.Play(Second);
            replay.TakeDue(Second);
            QVERIFY(replay.AtEnd());
            replay.Play(2 * Second);
        } else if (move == QLatin1String("resume")) {
            replay.Play(Second);
        } else {
            replay.Seek(T0 + (move == QLatin1String("back") ? 20 : 40) * Second, Second);
        }
        QCOMPARE(replayed.Record, record);
        QCOMPARE(replayed.LogRunning, logRunning && record.isEmpty());
    }

    // Each stretch of the trace is judged afresh, and while the replay waits the rates fall
    // to 0 with the real time, the trace's clock standing.
    void theSupervisionFollowsTheReplay()
    {
        TReplayed replayed;
        TReplay &replay = replayed.Replay;
        TSupervision &supervision = replayed.Acquisition.Supervision;
        replay.Seek(T0 + 3 * Second, 0);  // paused there
        replayed.Samples(T0, T0 + 3 * Second);
        replayed.TimeLine.Tick(0);
        QCOMPARE(supervision.Unit(1).SamplesPerSecond, 100.0);
        replayed.TimeLine.Tick(3 * Second);
        QCOMPARE(supervision.Unit(1).SamplesPerSecond, 0.0);
        QCOMPARE(supervision.Unit(1).Samples, qint64(300));

        replay.Play(3 * Second);
        QCOMPARE(supervision.Unit(1).Samples, qint64(0));
        replayed.Samples(T0 + 3 * Second, T0 + 6 * Second);
        replayed.TimeLine.Tick(6 * Second);  // playing: the trace's clock leads
        QCOMPARE(supervision.Unit(1).SamplesPerSecond, 100.0);
        QCOMPARE(supervision.Unit(1).Lost, qint64(0));
    }
};

QTEST_GUILESS_MAIN(tst_uReplayTimeLine)
#include "tst_uReplayTimeLine.moc"
