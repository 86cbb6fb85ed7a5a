// The time each frame is written with: the adapter's stamps, joined to the PC's clocks once
// per connection, so that the frames of one drain keep their spacing in the raw trace.

#include "supervision/uFrameTimeLine.h"
#include "support/uWatchedAcquisition.h"

#include <QtTest>

namespace {

// A frame's adapter stamp and the monotonic time of the drain that read it, in µs.
using TRead = std::pair<quint64, qint64>;

class TTrace : public TFrameTap
{
public:
    void FrameSeen(const TPCANMsg &, bool, qint64 timeUs) override { TimesUs << timeUs; }
    QList<qint64> TimesUs;
};

}  // namespace

class tst_uFrameTimeLine : public QObject
{
    Q_OBJECT
private slots:
    void frames_data()
    {
        QTest::addColumn<QList<TRead>>("reads");
        QTest::addColumn<QList<qint64>>("times");  // after Connect, in µs
        QTest::newRow("no stamps: when read")
            << QList<TRead>{{0, 50'000}, {0, 100'000}} << QList<qint64>{50'000, 100'000};
        QTest::newRow("a drain keeps its frames' spacing")
            << QList<TRead>{{1'000'000, 50'000}, {1'010'000, 50'000}, {1'020'000, 50'000}}
            << QList<qint64>{50'000, 60'000, 70'000};
        // The last frame of the first drain had waited 40 ms less: from the next drain on the
        // frames are placed by it, and the line stands until they pass the last time given.
        QTest::newRow("the last frame of a drain joins the clocks for the next")
            << QList<TRead>{{1'000'000, 50'000},
                            {1'040'000, 50'000},
                            {1'050'000, 100'000},
                            {1'100'000, 150'000}}
            << QList<qint64>{50'000, 90'000, 90'000, 110'000};
        QTest::newRow("jitter back stands still")
            << QList<TRead>{{1'000'000, 50'000}, {990'000, 100'000}}
            << QList<qint64>{50'000, 50'000};
        QTest::newRow("a clock running back is joined anew, the line never back")
            << QList<TRead>{{5'000'000, 50'000}, {1'000, 150'000}, {11'000, 200'000}}
            << QList<qint64>{50'000, 150'000, 160'000};
        QTest::newRow("a clock leaping ahead is joined anew")
            << QList<TRead>{{1'000'000, 50'000}, {9'000'000, 100'000}}
            << QList<qint64>{50'000, 100'000};
    }

    void frames()
    {
        QFETCH(QList<TRead>, reads);
        QFETCH(QList<qint64>, times);
        constexpr qint64 ConnectWallUs = 1'700'000'000'000'000;
        constexpr qint64 ConnectMonotonicUs = 7'000'000;
        TFrameTimeLine line;
        line.Start(ConnectWallUs, ConnectMonotonicUs);
        QList<qint64> placed;
        for (const auto &[stampUs, readUs] : reads)
            placed << line.FrameRead(stampUs, ConnectMonotonicUs + readUs) - ConnectWallUs;
        QCOMPARE(placed, times);
    }

    // Read live in one drain, a queue's frames reach the trace, and its samples the log, each
    // at its own time, joined to the wall clock read at Connect.
    void throughTheAcquisition()
    {
        TWatched watched;
        TTrace trace;
        watched.Acquisition.SetFrameTap(&trace);
        QVERIFY(watched.Acquisition.Connect(0x011C));
        const qint64 connectUs = watched.Clock.LocalNow().toMSecsSinceEpoch() * 1000;
        QList<QCanBusFrame> frames;
        for (qint64 ms : {3000, 3010, 3020}) {
            QCanBusFrame frame = ExtendedFrame(0x18FECE47, QByteArray::fromHex("4023282328C8643C"));
            frame.setTimeStamp(QCanBusFrame::TimeStamp::fromMicroSeconds(ms * 1000));
            frames << frame;
        }
        watched.Bus.Device()->Inject(frames);
        watched.Clock.Ms += 50;
        watched.Acquisition.Drain();
        QCOMPARE(trace.TimesUs,
                 QList<qint64>({connectUs + 50'000, connectUs + 60'000, connectUs + 70'000}));
        const QTime connected = watched.Clock.LocalNow().time().addMSecs(-50);
        QCOMPARE(watched.First.Times, QList<QTime>({connected.addMSecs(50), connected.addMSecs(60),
                                                    connected.addMSecs(70)}));
    }
};

QTEST_GUILESS_MAIN(tst_uFrameTimeLine)
#include "tst_uFrameTimeLine.moc"
