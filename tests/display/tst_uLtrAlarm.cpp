#include "display/uLtrAlarm.h"
#include "display/uLtrWatch.h"
#include "support/uCountingSound.h"
#include "support/uEventList.h"

#include <QtTest>

namespace {

// A timer driven by the test's own clock: fires every 3000 ms after it was started.
class TFakeTimer : public TAlarmTimer
{
public:
    bool IsRunning() const override { return m_running; }
    void Start() override
    {
        if (!m_running) {
            m_running = true;
            m_startedAt = Now;
        }
    }
    void Stop() override { m_running = false; }
    bool FiresNow() const
    {
        return m_running && Now > m_startedAt && (Now - m_startedAt) % 3000 == 0;
    }

    int Now = 0;  // ms

private:
    bool m_running = false;
    int m_startedAt = 0;
};

// Runs the 100 ms display tick and the 3 s timer for a while; ltrAt gives the value per ms.
template <typename Ltr>
void Run(TLtrAlarm &alarm, TFakeTimer &timer, int untilMs, Ltr ltrAt, bool online = true)
{
    for (; timer.Now < untilMs; timer.Now += 100) {
        if (timer.FiresNow())
            alarm.TimerLTRTimer(online);
        alarm.CheckLtrAlarm(ltrAt(timer.Now), TLtrAlarm::DefaultPosition);
    }
}

}  // namespace

class tst_uLtrAlarm : public QObject
{
    Q_OBJECT
private slots:
    void thresholds_data();
    void thresholds();
    void repeatsEveryThreeSeconds();
    void aDropForOneTickRestartsTheCadence();
    void staysSilentWhenNotOnline();
    void reportsComingOnAndGoingOff();
    void theSignEveryPageShows_data();
    void theSignEveryPageShows();
};

void tst_uLtrAlarm::thresholds_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("ltr");
    QTest::addColumn<bool>("alarm");
    QTest::newRow("at 0.5") << 5 << 0.5 << false;
    QTest::newRow("above 0.5") << 5 << 0.501 << true;
    QTest::newRow("negative") << 5 << -0.6 << true;
    QTest::newRow("decoded 0.50") << 5 << 50 / 100.0 << false;
    QTest::newRow("zero threshold, zero") << 0 << 0.0 << false;
    QTest::newRow("zero threshold, any") << 0 << 0.001 << true;
    QTest::newRow("full scale at 1") << 10 << 1.0 << false;
    QTest::newRow("full scale above") << 10 << 1.01 << true;
    QTest::newRow("0.3 against 0.4") << 3 << 0.4 << true;
    QTest::newRow("decoded 0.30 at 0.3") << 3 << 30 / 100.0 << false;
}

void tst_uLtrAlarm::thresholds()
{
    QFETCH(int, position);
    QFETCH(double, ltr);
    QFETCH(bool, alarm);
    TFakeTimer timer;
    TCountingSound sound(&timer.Now);
    TLtrAlarm ltrAlarm(timer, sound);
    QCOMPARE(ltrAlarm.CheckLtrAlarm(ltr, position), alarm);
    QCOMPARE(ltrAlarm.LtrAlarmActive, alarm);
    QCOMPARE(timer.IsRunning(), alarm);
    QCOMPARE(sound.Plays.size(), alarm ? 1 : 0);
}

void tst_uLtrAlarm::repeatsEveryThreeSeconds()
{
    TFakeTimer timer;
    TCountingSound sound(&timer.Now);
    TLtrAlarm alarm(timer, sound);
    Run(alarm, timer, 10000, [](int) { return 0.7; });
    QCOMPARE(sound.Plays, (QList<int>{0, 3000, 6000, 9000}));

    Run(alarm, timer, 12000, [](int) { return 0.2; });  // the first tick below ends it
    QVERIFY(!alarm.LtrAlarmActive);
    QVERIFY(!timer.IsRunning());
    QCOMPARE(sound.Plays.size(), 4);
}

void tst_uLtrAlarm::aDropForOneTickRestartsTheCadence()
{
    TFakeTimer timer;
    TCountingSound sound(&timer.Now);
    TLtrAlarm alarm(timer, sound);
    Run(alarm, timer, 8000, [](int ms) { return ms == 2000 ? 0.1 : 0.9; });
    QCOMPARE(sound.Plays, (QList<int>{0, 2100, 5100}));
}

void tst_uLtrAlarm::staysSilentWhenNotOnline()
{
    TFakeTimer timer;
    TCountingSound sound(&timer.Now);
    TLtrAlarm alarm(timer, sound);
    Run(
        alarm, timer, 10000, [](int) { return 0.7; }, false);
    QCOMPARE(sound.Plays, (QList<int>{0}));  // red and the first sound, no repetition
    QVERIFY(alarm.LtrAlarmActive);
}

// Transitions only, with the value and threshold as the log writes numbers.
void tst_uLtrAlarm::reportsComingOnAndGoingOff()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const auto restore = qScopeGuard([saved] { QLocale::setDefault(saved); });
    TFakeTimer timer;
    TCountingSound sound(&timer.Now);
    TEventList events;
    TLtrAlarm alarm(timer, sound, &events);
    Run(alarm, timer, 4000, [](int ms) { return ms < 1000 ? 0.2 : ms < 3000 ? 0.62 : 0.1; });
    QCOMPARE(events.Lines, (QStringList{"LTR alarm on | LTR 0,620, threshold 0,5",
                                        "LTR alarm off | LTR 0,100, threshold 0,5"}));
}

QTEST_GUILESS_MAIN(tst_uLtrAlarm)
#include "tst_uLtrAlarm.moc"

void tst_uLtrAlarm::theSignEveryPageShows_data()
{
    QTest::addColumn<double>("ltr");
    QTest::addColumn<QString>("sign");
    QTest::newRow("above") << 0.54 << "LTR 0,540 > 0,5";
    QTest::newRow("below the negative threshold") << -0.61 << "LTR -0,610 < -0,5";
    QTest::newRow("at the threshold, no alarm") << 0.5 << "";
}

void tst_uLtrAlarm::theSignEveryPageShows()
{
    QFETCH(double, ltr);
    QFETCH(QString, sign);
    QLocale::setDefault(QLocale(QLocale::Polish));
    TAcquisitionState state;
    state.Sensors[1].LTR = ltr;
    int now = 0;
    TCountingSound sound(&now);
    TLtrWatch watch(state, sound, nullptr);
    watch.CheckLtrAlarm();
    QCOMPARE(watch.AlarmSign(), sign);
    QLocale::setDefault(QLocale::c());
}
