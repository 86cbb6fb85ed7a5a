#include "sim/uSimulatedDrive.h"
#include "supervision/uSupervision.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace {

constexpr quint32 ProductionId = 0x18FECE47;
constexpr quint32 MotionId = 0x18FEDC10;
constexpr quint32 ChassisId = 0x18FECF10;

struct TRecordedEvent {
    QString Event;
    QString Details;
};

class TEventList : public TEventSink
{
public:
    void DriveEventOccurred(const char *event, const QString &details) override
    {
        Events.append({QString::fromLatin1(event), details});
    }
    QList<TRecordedEvent> Events;
};

// Frames as an adapter stamps them, µs from its start, read at once: local time is 10:00:00
// plus the stamp, unless a read time of its own is given.
class TBus
{
public:
    TBus(TSupervision &supervision) : m_supervision(supervision) {}

    const QDateTime Base = QDateTime(QDate(2026, 3, 29), QTime(10, 0));

    // Identifiers past 0x7FF are extended.
    void Frame(quint32 id, qint64 us, std::optional<qint64> readUs = {})
    {
        Message({id, id > 0x7FF ? PCAN_MESSAGE_EXTENDED : PCAN_MESSAGE_STANDARD}, us, readUs);
    }
    void Message(const TPCANMsg &message, qint64 us, std::optional<qint64> readUs = {})
    {
        const qint64 read = readUs.value_or(us);
        m_supervision.FrameRead(message, us, Base.addMSecs((read + 999) / 1000));
    }
    // A whole production sample of unit 1, or a test unit's two frames 200 µs apart.
    void Sample(qint64 us, bool test = false, std::optional<qint64> readUs = {})
    {
        if (!test) {
            Frame(ProductionId, us, readUs);
            m_supervision.UnitFrame(1, TSampleFrame::Whole);
            return;
        }
        Frame(MotionId, us, readUs);
        m_supervision.UnitFrame(1, TSampleFrame::Motion);
        Frame(MotionId + 1, us + 200, readUs ? std::optional(*readUs + 200) : readUs);
        m_supervision.UnitFrame(1, TSampleFrame::Status);
    }
    // Samples 1..count every periodUs from startUs, those the filter drops left out.
    template <typename TDrop>
    void Samples(int count, qint64 periodUs, TDrop dropped, qint64 startUs = 0, bool test = false)
    {
        for (int number = 1; number <= count; ++number)
            if (!dropped(number))
                Sample(startUs + (number - 1) * periodUs, test);
    }
    void Now(qint64 us) { m_supervision.AdvanceTo(Base.addMSecs(us / 1000)); }

private:
    TSupervision &m_supervision;
};

const auto None = [](int) { return false; };

// A regular start that teaches a 10 ms period: 3 s, samples at 0..2990 ms.
constexpr qint64 LearnedUntilUs = 2'990'000;
void Learn(TBus &bus, bool test = false)
{
    bus.Samples(300, 10'000, None, 0, test);
}

}  // namespace

class tst_uSupervision : public QObject
{
    Q_OBJECT
private slots:
    void exactLosses_data();
    void exactLosses();
    void gapsAfterThePeriodIsKnown_data();
    void gapsAfterThePeriodIsKnown();
    void incompleteSamples_data();
    void incompleteSamples();
    void rates_data();
    void rates();
    void aSilentUnitFallsToZero();
    void atMost64Identifiers();
    void standardAndExtendedAreTwoIdentifiers_data();
    void standardAndExtendedAreTwoIdentifiers();
    void lossEventsTellWhenAndHowMany();
    void aUnitThatKeepsLosingWritesAnEventASecond();
    void incompleteEventsAtMostOnceASecond();
    void timesThatAreNotTheFramesOwn_data();
    void timesThatAreNotTheFramesOwn();
    void aNewAdapterClockIsJoinedByLocalTime_data();
    void aNewAdapterClockIsJoinedByLocalTime();
    void lostInTheLastMinute();
    void flushAndReset();
    void theSimulatedDriveDropsAreCountedExactly();
};

void tst_uSupervision::exactLosses_data()
{
    QTest::addColumn<bool>("test");
    QTest::addColumn<int>("every");      // every Nth sample dropped; 0: none
    QTest::addColumn<int>("everyFrom");  // from this sample on
    QTest::addColumn<int>("burstAt");
    QTest::addColumn<int>("burstCount");
    QTest::addColumn<int>("jitterPercent");
    QTest::addColumn<int>("lost");
    // 1000 samples of 10 ms, then one more that closes the last gap. A unit that misses every
    // 2nd sample from its start is a unit of half the rate: those drops begin later.
    QTest::newRow("none") << false << 0 << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("every 10th") << false << 10 << 1 << 0 << 0 << 0 << 100;
    QTest::newRow("every 2nd") << false << 2 << 301 << 0 << 0 << 0 << 350;
    QTest::newRow("every 3rd") << false << 3 << 301 << 0 << 0 << 0 << 233;
    QTest::newRow("every 10th, test protocol") << true << 10 << 1 << 0 << 0 << 0 << 100;
    QTest::newRow("burst") << false << 0 << 1 << 500 << 7 << 0 << 7;
    QTest::newRow("burst of 1") << false << 0 << 1 << 500 << 1 << 0 << 1;
    QTest::newRow("burst while learning") << false << 0 << 1 << 50 << 3 << 0 << 3;
    QTest::newRow("second sample") << false << 0 << 1 << 2 << 1 << 0 << 1;
    QTest::newRow("jitter 20 %") << false << 0 << 1 << 0 << 0 << 20 << 0;
    QTest::newRow("jitter 20 %, every 7th") << false << 7 << 1 << 0 << 0 << 20 << 142;
    QTest::newRow("jitter 20 %, burst") << false << 0 << 1 << 400 << 5 << 20 << 5;
    QTest::newRow("every 5th and a burst beside") << false << 5 << 1 << 601 << 4 << 0 << 200 + 4;
}

void tst_uSupervision::exactLosses()
{
    QFETCH(bool, test);
    QFETCH(int, every);
    QFETCH(int, everyFrom);
    QFETCH(int, burstAt);
    QFETCH(int, burstCount);
    QFETCH(int, jitterPercent);
    QFETCH(int, lost);
    TSupervision supervision;
    TBus bus(supervision);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> jitter(-jitterPercent * 100, jitterPercent * 100);  // µs
    int sent = 0;
    for (int number = 1; number <= 1001; ++number) {
        const bool dropped = number <= 1000
                             && ((every > 0 && number >= everyFrom && number % every == 0)
                                 || (number >= burstAt && number < burstAt + burstCount));
        const qint64 us = (number - 1) * 10'000 + 100'000 + jitter(random);
        if (!dropped)
            bus.Sample(us, test);
        sent += !dropped;
    }
    supervision.Flush();  // the last gap has no ordinary interval after it
    const TUnitHealth health = supervision.Unit(1);
    QVERIFY(health.PeriodKnown);
    QVERIFY2(std::abs(health.PeriodMs - 10.0) < 0.5, qPrintable(QString::number(health.PeriodMs)));
    QCOMPARE(health.Lost, lost);
    QCOMPARE(health.Samples, sent);
    QCOMPARE(health.Samples + health.Lost, 1001);
    QCOMPARE(health.Late, 0);
    QCOMPARE(health.Incomplete, 0);
}

// Arrivals in ms after a learned 10 ms period, the first 10 ms after the last learned one.
void tst_uSupervision::gapsAfterThePeriodIsKnown_data()
{
    QTest::addColumn<QList<double>>("arrivalsMs");
    QTest::addColumn<int>("lost");
    QTest::addColumn<int>("late");
    QTest::newRow("held up, then all at once")
        << QList<double>{10, 20, 30, 60, 60.1, 60.2, 70, 80} << 0 << 2;
    QTest::newRow("held up, one never came")
        << QList<double>{10, 20, 30, 60, 60.1, 70, 80} << 1 << 1;
    QTest::newRow("in a rush, no gap before") << QList<double>{10, 20, 20.1, 20.2, 30} << 0 << 0;
    // Four slots from 40 to 70 hold three samples: one is lost, the one between two is late.
    QTest::newRow("rushed at half a period") << QList<double>{10, 20, 30, 60, 65, 70, 80} << 1 << 1;
    QTest::newRow("held up, caught up over two periods")
        << QList<double>{10, 20, 30, 46, 53, 60, 70} << 0 << 1;
    QTest::newRow("early, then a gap") << QList<double>{10, 20, 22, 40, 50} << 0 << 1;
    QTest::newRow("1.5 periods: none lost") << QList<double>{10, 20, 35, 45, 55} << 0 << 0;
    QTest::newRow("1.6 periods: one lost") << QList<double>{10, 20, 36, 46, 56} << 1 << 0;
    QTest::newRow("two gaps in a row") << QList<double>{10, 30, 60, 70} << 1 + 2 << 0;
    QTest::newRow("open gap: not yet confirmed") << QList<double>{10, 20, 50} << 0 << 0;
}

void tst_uSupervision::gapsAfterThePeriodIsKnown()
{
    QFETCH(QList<double>, arrivalsMs);
    QFETCH(int, lost);
    QFETCH(int, late);
    TSupervision supervision;
    TBus bus(supervision);
    Learn(bus);
    for (const double ms : arrivalsMs)
        bus.Sample(LearnedUntilUs + qint64(std::llround(ms * 1000)));
    QCOMPARE(supervision.Unit(1).Lost, lost);
    QCOMPARE(supervision.Unit(1).Late, late);
}

// M: motion frame, S: status frame, W: production data frame; 10 ms apart.
void tst_uSupervision::incompleteSamples_data()
{
    QTest::addColumn<QString>("frames");
    QTest::addColumn<int>("incomplete");
    QTest::addColumn<int>("samples");
    QTest::newRow("complete") << "MSMSMS" << 0 << 3;
    QTest::newRow("motion without status") << "MSMMS" << 1 << 3;
    QTest::newRow("status without motion") << "MSSMS" << 1 << 3;
    QTest::newRow("status first") << "SMS" << 1 << 2;
    QTest::newRow("motions only") << "MMMM" << 3 << 4;  // the last may still be completed
    QTest::newRow("statuses only") << "SSS" << 3 << 3;
    QTest::newRow("production") << "WWW" << 0 << 3;
}

void tst_uSupervision::incompleteSamples()
{
    QFETCH(QString, frames);
    QFETCH(int, incomplete);
    QFETCH(int, samples);
    TSupervision supervision;
    TBus bus(supervision);
    qint64 us = 0;
    for (const QChar frame : frames) {
        const TSampleFrame part = frame == QLatin1Char('M')   ? TSampleFrame::Motion
                                  : frame == QLatin1Char('S') ? TSampleFrame::Status
                                                              : TSampleFrame::Whole;
        bus.Frame(part == TSampleFrame::Status ? MotionId + 1 : MotionId, us += 10'000);
        supervision.UnitFrame(1, part);
    }
    QCOMPARE(supervision.Unit(1).Incomplete, incomplete);
    QCOMPARE(supervision.Unit(1).Samples, samples);
    QCOMPARE(supervision.Unit(1).Lost, 0);
}

void tst_uSupervision::rates_data()
{
    QTest::addColumn<int>("periodUs");
    QTest::addColumn<int>("every");
    QTest::addColumn<qint64>("nowUs");
    QTest::addColumn<double>("samplesPerSecond");
    QTest::newRow("100 Hz") << 10'000 << 0 << qint64(10'000'000) << 100.0;
    QTest::newRow("every 10th dropped") << 10'000 << 10 << qint64(10'000'000) << 90.0;
    QTest::newRow("every 2nd dropped") << 10'000 << 2 << qint64(10'000'000) << 50.0;
    QTest::newRow("2 Hz") << 500'000 << 0 << qint64(10'000'000) << 2.0;
    QTest::newRow("after half a second") << 10'000 << 0 << qint64(550'000) << 100.0;
    QTest::newRow("first 100 ms") << 10'000 << 0 << qint64(99'000) << 0.0;
}

void tst_uSupervision::rates()
{
    QFETCH(int, periodUs);
    QFETCH(int, every);
    QFETCH(qint64, nowUs);
    QFETCH(double, samplesPerSecond);
    TSupervision supervision;
    TBus bus(supervision);
    bus.Frame(ChassisId, 0);
    for (qint64 us = 0; us <= nowUs; us += 1000) {
        const qint64 number = us / periodUs + 1;
        if (us % periodUs == 0 && (every == 0 || number % every != 0))
            bus.Sample(us);
        if (us % 100'000 == 0 && us > 0)
            bus.Frame(ChassisId, us);
    }
    QCOMPARE(supervision.Unit(1).SamplesPerSecond, samplesPerSecond);
    const QList<TIdentifierRate> ids = supervision.Identifiers();
    QCOMPARE(ids.size(), 2);
    QCOMPARE(ids[0].Id, ProductionId);
    QCOMPARE(ids[0].FramesPerSecond, samplesPerSecond);
    QCOMPARE(ids[1].Id, ChassisId);
    QCOMPARE(ids[1].FramesPerSecond, nowUs < 100'000 ? 0.0 : 10.0);
}

void tst_uSupervision::aSilentUnitFallsToZero()
{
    TSupervision supervision;
    TBus bus(supervision);
    bus.Samples(500, 10'000, None);  // until 4.99 s
    QCOMPARE(supervision.Unit(1).SamplesPerSecond, 100.0);
    bus.Now(6'000'000);
    QCOMPARE(supervision.Unit(1).SamplesPerSecond, 50.0);
    bus.Now(7'100'000);
    QCOMPARE(supervision.Unit(1).SamplesPerSecond, 0.0);
    // Other frames move the clock on as well.
    TSupervision other;
    TBus otherBus(other);
    otherBus.Samples(500, 10'000, None);
    otherBus.Frame(ChassisId, 7'100'000);
    QCOMPARE(other.Unit(1).SamplesPerSecond, 0.0);
    QCOMPARE(other.Unit(1).Samples, 500);
    QVERIFY(other.Unit(1).Seen);
    QVERIFY(!other.Unit(2).Seen);
}

void tst_uSupervision::atMost64Identifiers()
{
    TSupervision supervision;
    TBus bus(supervision);
    // 100 identifiers, each once every 100 ms, given from the highest down.
    for (qint64 us = 0; us <= 3'000'000; us += 100'000)
        for (quint32 id = 100; id >= 1; --id)
            bus.Frame(id, us);
    const QList<TIdentifierRate> ids = supervision.Identifiers();
    QCOMPARE(ids.size(), TSupervision::MostIdentifiers);
    QCOMPARE(ids.first().Id, 37u);  // the first 64 seen stay
    QCOMPARE(ids.last().Id, 100u);
    for (int i = 0; i < ids.size(); ++i) {
        QCOMPARE(ids[i].Id, quint32(37 + i));
        QCOMPARE(ids[i].FramesPerSecond, 10.0);
    }
    QCOMPARE(supervision.OtherFramesPerSecond(), 36 * 10.0);
}

void tst_uSupervision::standardAndExtendedAreTwoIdentifiers_data()
{
    QTest::addColumn<quint32>("id");
    QTest::newRow("0") << 0u;
    QTest::newRow("123") << 0x123u;
    QTest::newRow("7FF, the last standard one") << 0x7FFu;
}

void tst_uSupervision::standardAndExtendedAreTwoIdentifiers()
{
    QFETCH(quint32, id);
    TSupervision supervision;
    TBus bus(supervision);
    // The standard frame every 100 ms; the extended one every 50 ms, every other one a remote
    // request, which is the same identifier.
    const TPCANMessageType remote = PCAN_MESSAGE_EXTENDED | PCAN_MESSAGE_RTR;
    for (qint64 us = 0; us <= 3'000'000; us += 50'000) {
        if (us % 100'000 == 0)
            bus.Message({id, PCAN_MESSAGE_STANDARD}, us);
        bus.Message({id, us % 100'000 == 0 ? PCAN_MESSAGE_EXTENDED : remote}, us);
    }
    const QList<TIdentifierRate> ids = supervision.Identifiers();
    QCOMPARE(ids.size(), 2);
    for (int i = 0; i < 2; ++i) {  // the standard one first
        QCOMPARE(ids[i].Id, id);
        QCOMPARE(ids[i].Extended, i == 1);
        QCOMPARE(ids[i].FramesPerSecond, 10.0 * (i + 1));
    }
}

void tst_uSupervision::aUnitThatKeepsLosingWritesAnEventASecond()
{
    TSupervision supervision;
    TEventList events;
    supervision.SetEventSink(&events);
    TBus bus(supervision);
    bus.Samples(500, 10'000, [](int n) { return n >= 300 && n % 10 == 0; });
    supervision.Flush();
    QStringList details;
    int lost = 0;
    for (const TRecordedEvent &event : events.Events) {
        details << event.Details;
        lost += event.Details.section(QLatin1Char(' '), 2, 2).toInt();
    }
    QCOMPARE(lost, 20);
    QCOMPARE(details.size(), 3);
    QCOMPARE(details[0], QStringLiteral("unit 1: 1 sample from 10:00:02.980 to 10:00:03.000"));
    QVERIFY2(details[1].startsWith(QStringLiteral("unit 1: 10 samples in 10 gaps from ")),
             qPrintable(details[1]));
}

void tst_uSupervision::lossEventsTellWhenAndHowMany()
{
    TSupervision supervision;
    TEventList events;
    supervision.SetEventSink(&events);
    TBus bus(supervision);
    // 10:00:01.230 the last before three lost, 10:00:01.270 the first after; one more lost
    // while the period was being learned, reported once it is.
    bus.Samples(
        400, 10'000, [](int n) { return n == 51 || (n >= 125 && n <= 127); }, 1'000);
    QCOMPARE(events.Events.size(), 1);  // the second loss came within a second: it waits
    supervision.AdvanceTo(bus.Base.addMSecs(2500));
    QCOMPARE(events.Events.size(), 2);
    QCOMPARE(events.Events[0].Event, QStringLiteral("samples lost"));
    QCOMPARE(events.Events[0].Details,
             QStringLiteral("unit 1: 1 sample from 10:00:00.491 to 10:00:00.511"));
    QCOMPARE(events.Events[1].Details,
             QStringLiteral("unit 1: 3 samples from 10:00:01.231 to 10:00:01.271"));
    // The adapter's clock lies 10 s behind local time: the times of day are local ones.
    TSupervision late;
    late.SetEventSink(&events);
    TBus lateBus(late);
    for (int n = 1; n <= 300; ++n)
        if (n != 250)
            lateBus.Sample(n * 10'000, false, n * 10'000 + 10'000'000 + (n % 5) * 1000);
    QCOMPARE(events.Events.size(), 3);
    QCOMPARE(events.Events[2].Details,
             QStringLiteral("unit 1: 1 sample from 10:00:12.490 to 10:00:12.510"));
}

void tst_uSupervision::incompleteEventsAtMostOnceASecond()
{
    TSupervision supervision;
    TEventList events;
    supervision.SetEventSink(&events);
    TBus bus(supervision);
    // Unit 2 sends only status frames, every 100 ms for 2.5 s.
    for (qint64 us = 0; us <= 2'500'000; us += 100'000) {
        bus.Frame(0x18FEDC21, us);
        supervision.UnitFrame(2, TSampleFrame::Status);
    }
    QCOMPARE(supervision.Unit(2).Incomplete, 26);
    QCOMPARE(events.Events.size(), 3);
    QCOMPARE(events.Events[0].Event, QStringLiteral("incomplete sample"));
    QCOMPARE(events.Events[0].Details, QStringLiteral("unit 2: status frame without motion frame"));
    QCOMPARE(events.Events[1].Details,
             QStringLiteral("unit 2: status frame without motion frame; 9 more not reported "
                            "since 10:00:00.000"));
    QCOMPARE(events.Events[2].Details,
             QStringLiteral("unit 2: status frame without motion frame; 9 more not reported "
                            "since 10:00:01.000"));
    // Another unit has its own second.
    bus.Frame(MotionId, 2'550'000);
    supervision.UnitFrame(3, TSampleFrame::Motion);
    bus.Frame(MotionId, 2'560'000);
    supervision.UnitFrame(3, TSampleFrame::Motion);
    QCOMPARE(events.Events.size(), 4);
    QCOMPARE(events.Events[3].Details, QStringLiteral("unit 3: motion frame without status frame"));
}

void tst_uSupervision::timesThatAreNotTheFramesOwn_data()
{
    QTest::addColumn<int>("periodUs");
    QTest::addColumn<int>("readEveryUs");  // the frames are timed by the read of their drain
    QTest::newRow("0.5 ms apart") << 500 << 0;
    QTest::newRow("timed by a 50 ms drain") << 10'000 << 50'000;
}

// Never a loss where the times cannot tell: the period stays unknown.
void tst_uSupervision::timesThatAreNotTheFramesOwn()
{
    QFETCH(int, periodUs);
    QFETCH(int, readEveryUs);
    TSupervision supervision;
    TBus bus(supervision);
    for (int n = 1; n <= 5000; ++n) {
        if (n % 10 == 0)
            continue;
        const qint64 us = n * qint64(periodUs);
        bus.Sample(readEveryUs ? us - us % readEveryUs : us);
    }
    const TUnitHealth health = supervision.Unit(1);
    QVERIFY(!health.PeriodKnown);
    QCOMPARE(health.Lost, 0);
    QCOMPARE(health.Late, 0);
    QCOMPARE(health.Samples, 4500);
}

void tst_uSupervision::aNewAdapterClockIsJoinedByLocalTime_data()
{
    QTest::addColumn<qint64>("newClockUs");  // the new adapter's stamp of its first frame
    QTest::newRow("starts again at 0") << qint64(0);
    QTest::newRow("far ahead") << qint64(1'000'000'000'000);
    QTest::newRow("a little behind") << qint64(1'500'000);
}

// An adapter lost and found again: the second away is counted lost, whatever the new adapter
// counts its time from.
void tst_uSupervision::aNewAdapterClockIsJoinedByLocalTime()
{
    QFETCH(qint64, newClockUs);
    TSupervision supervision;
    TBus bus(supervision);
    bus.Samples(301, 10'000, None);  // until 3 s
    for (int n = 0; n <= 100; ++n)
        bus.Sample(newClockUs + n * 10'000, false, 4'000'000 + n * 10'000);  // from 4 s
    QCOMPARE(supervision.Unit(1).Lost, 99);
    QCOMPARE(supervision.Unit(1).Late, 0);
    QCOMPARE(supervision.Unit(1).Samples, 402);
}

void tst_uSupervision::lostInTheLastMinute()
{
    TSupervision supervision;
    TBus bus(supervision);
    Learn(bus);
    QVERIFY(!supervision.Unit(1).LostLastMinute);
    bus.Samples(
        100, 10'000, [](int n) { return n == 5; }, 3'000'000);  // lost at 3.04 s
    QVERIFY(supervision.Unit(1).LostLastMinute);
    bus.Now(63'000'000);
    QVERIFY(supervision.Unit(1).LostLastMinute);
    bus.Now(63'050'000);
    QVERIFY(!supervision.Unit(1).LostLastMinute);
    QCOMPARE(supervision.Unit(1).Lost, 1);
}

void tst_uSupervision::flushAndReset()
{
    TSupervision supervision;
    TEventList events;
    supervision.SetEventSink(&events);
    TBus bus(supervision);
    Learn(bus);
    bus.Sample(LearnedUntilUs + 50'000);  // four missing, some may still come late
    QCOMPARE(supervision.Unit(1).Lost, 0);
    supervision.Flush();
    QCOMPARE(supervision.Unit(1).Lost, 4);
    bus.Sample(LearnedUntilUs + 80'000);
    supervision.Reset();  // the open gap is reported before all is forgotten
    QCOMPARE(events.Events.size(), 2);
    QCOMPARE(events.Events[1].Details,
             QStringLiteral("unit 1: 2 samples from 10:00:03.040 to 10:00:03.070"));
    const TUnitHealth health = supervision.Unit(1);
    QVERIFY(!health.Seen && !health.PeriodKnown);
    QCOMPARE(health.Samples + health.Lost + health.Late, 0);
    QVERIFY(supervision.Identifiers().isEmpty());
    // A new clock after Reset: nothing from before counts.
    bus.Samples(300, 10'000, None, 500);
    QCOMPARE(supervision.Unit(1).Lost, 0);
    QVERIFY(supervision.Unit(1).PeriodKnown);
}

// Unit 1 in production, units 2 and 3 in the test protocol, on the frames' own times.
void tst_uSupervision::theSimulatedDriveDropsAreCountedExactly()
{
    TSupervision supervision;
    TBus bus(supervision);
    TSimulatedDrive drive(100);
    drive.SetDrops({10, 250, 5});
    for (qint64 ms = 50; ms <= 5050; ms += 50) {  // samples 1..505
        for (const QCanBusFrame &frame : drive.FramesUntil(ms)) {
            const quint32 id = frame.frameId();
            bus.Frame(id, frame.timeStamp().seconds() * 1000000 + frame.timeStamp().microSeconds());
            if (id == TSimulatedDrive::UnitId)
                supervision.UnitFrame(1, TSampleFrame::Whole);
            for (int unit = 2; unit <= 3; ++unit)
                if (id == TSimulatedDrive::TestUnitIds[unit - 1]
                    || id == TSimulatedDrive::TestUnitIds[unit - 1] + 1)
                    supervision.UnitFrame(unit,
                                          id & 1 ? TSampleFrame::Status : TSampleFrame::Motion);
        }
    }
    supervision.Flush();
    for (int unit = 1; unit <= 3; ++unit) {
        const TUnitHealth health = supervision.Unit(unit);
        QCOMPARE(health.Lost, 50 + 4);  // every 10th up to 500, and 251..254
        QCOMPARE(health.Samples, 505 - 54);
        QCOMPARE(health.Late + health.Incomplete, 0);
    }
}

QTEST_GUILESS_MAIN(tst_uSupervision)
#include "tst_uSupervision.moc"
