#include "acquisition/uAcquisition.h"
#include "log/uLogSession.h"
#include "support/uWatchedAcquisition.h"

#include <QtTest>

namespace {

const QCanBusFrame ProductionSample =
    ExtendedFrame(0x18FECE47, QByteArray::fromHex("4023282328C8643C"));

// The CAN ticks of a running window, ms by ms, until the factory was asked for a device or
// the time is up. Returns the ms that passed.
qint64 TicksUntilATry(TWatched &watched, qint64 limitMs)
{
    const int created = watched.Bus.Created;
    qint64 passed = 0;
    while (watched.Bus.Created == created && passed < limitMs) {
        watched.Clock.Ms += 50;
        passed += 50;
        watched.Acquisition.Drain();
    }
    return passed;
}

void ConnectAndHearUnit1(TWatched &watched)
{
    QVERIFY(watched.Acquisition.Connect(0x011C));
    watched.Bus.Device()->Inject({ProductionSample});
    watched.Acquisition.Drain();
    QVERIFY(watched.Acquisition.State.SensorOnline);
    watched.Reports.clear();
}

}  // namespace

class tst_AdapterLoss : public QObject
{
    Q_OBJECT
private slots:
    void aLostAdapterIsShownAtOnceAndTriedAgainWithGrowingPauses();
    void disconnectEndsTheTries();
    void aBackendThatFailsWhileConnectingIsAFailedConnect_data();
    void aBackendThatFailsWhileConnectingIsAFailedConnect();
    void readsThatKeepFailingMeanTheAdapterIsGone();
    void anExceptionFromTheBackendLosesTheAdapter();
    void busStateErrorsAndErrorFramesAreCountedAndReported();
    void heldEventsGoOutBeforeALogStops();
    void theLogGoesOnIntoTheSameFileAcrossALoss();
};

void tst_AdapterLoss::aLostAdapterIsShownAtOnceAndTriedAgainWithGrowingPauses()
{
    TWatched watched;
    ConnectAndHearUnit1(watched);

    watched.Bus.Behaviour.openFails = true;  // still unplugged at the first tries
    watched.Bus.Device()->Die();
    watched.Acquisition.Drain();  // the next CAN tick, not the 15 s watchdog
    QCOMPARE(watched.Reports, QStringList({"adapter lost", "caption adapter lost"}));
    QCOMPARE(watched.Events.Lines, QStringList({"adapter lost: adapter unplugged"}));
    QVERIFY(watched.Acquisition.ChannelOpen());  // Disconnect stays the user's to press
    QVERIFY(!watched.Acquisition.State.SensorOnline);
    QVERIFY(!TPCANBasic::Device());

    QList<qint64> pauses;
    for (int i = 0; i < 6; ++i)
        pauses << TicksUntilATry(watched, 10000);
    QCOMPARE(pauses, (QList<qint64>{500, 1000, 2000, 4000, 5000, 5000}));

    watched.Bus.Behaviour.openFails = false;
    watched.Reports.clear();
    QCOMPARE(TicksUntilATry(watched, 10000), 5000);
    QCOMPARE(watched.Reports, QStringList({"adapter restored", "caption OFFLINE"}));
    QCOMPARE(watched.Events.Lines.last(), QStringLiteral("adapter restored: after 22.5 s"));

    watched.Bus.Device()->Inject({ProductionSample});
    watched.Acquisition.Drain();
    QVERIFY(watched.Acquisition.State.SensorOnline);
    QVERIFY(watched.Reports.contains("caption ONLINE "));
}

void tst_AdapterLoss::disconnectEndsTheTries()
{
    TWatched watched;
    ConnectAndHearUnit1(watched);
    watched.Bus.Behaviour.openFails = true;
    watched.Bus.Device()->Die();
    watched.Acquisition.Drain();
    TicksUntilATry(watched, 10000);

    watched.Reports.clear();
    watched.Acquisition.Disconnect();
    QCOMPARE(watched.Reports, QStringList({"closed", "Rozłączenie", "caption OFFLINE"}));
    const int created = watched.Bus.Created;
    QCOMPARE(TicksUntilATry(watched, 60000), 60000);
    QCOMPARE(watched.Bus.Created, created);
}

void tst_AdapterLoss::aBackendThatFailsWhileConnectingIsAFailedConnect_data()
{
    QTest::addColumn<bool>("answers");
    QTest::addColumn<qint64>("waitMs");  // before the backend's answer
    QTest::addColumn<QString>("problem");
    QTest::newRow("gives up") << false << qint64(300)
                              << QStringLiteral("no answer from the bus server");
    QTest::newRow("never answers")
        << false << qint64(5050) << QStringLiteral("the adapter did not connect within 5 s");
    QTest::newRow("connects late") << true << qint64(4950) << QString();
}

void tst_AdapterLoss::aBackendThatFailsWhileConnectingIsAFailedConnect()
{
    QFETCH(bool, answers);
    QFETCH(qint64, waitMs);
    QFETCH(QString, problem);
    TWatched watched({.connectsLater = true});
    QVERIFY(watched.Acquisition.Connect(0x011C));
    QCOMPARE(watched.Reports, QStringList({"open", "Połączenie"}));
    watched.Reports.clear();

    for (qint64 ms = 0; ms < waitMs; ms += 50) {
        watched.Clock.Ms += 50;
        watched.Acquisition.Drain();
    }
    if (answers)
        watched.Bus.Device()->FinishConnecting();
    else if (problem.startsWith("no answer"))
        watched.Bus.Device()->FailConnecting();
    watched.Clock.Ms += 50;
    watched.Acquisition.Drain();

    QCOMPARE(watched.Acquisition.ChannelOpen(), answers);
    QCOMPARE(watched.Reports,
             answers ? QStringList() : QStringList({"closed", "błąd otwarcia", problem}));
    QCOMPARE(watched.Acquisition.Link().Problem(), problem);
    QVERIFY(watched.Events.Lines.isEmpty());  // no adapter was lost: none was there
    QCOMPARE(watched.Bus.Created, 1);         // and no reconnect is tried
    if (answers) {
        watched.Bus.Device()->Inject({ProductionSample});
        QCOMPARE(watched.Acquisition.Drain(), 1);
    }
}

void tst_AdapterLoss::readsThatKeepFailingMeanTheAdapterIsGone()
{
    TWatched watched;
    ConnectAndHearUnit1(watched);

    // Failing reads while frames come are errors of the bus, not a lost adapter.
    for (int tick = 0; tick < 40; ++tick) {
        watched.Bus.Device()->FailRead();
        watched.Bus.Device()->Inject({ProductionSample});
        watched.Clock.Ms += 50;
        watched.Acquisition.Drain();
    }
    QCOMPARE(watched.Acquisition.Link().Phase(), TAdapterLink::TPhase::Open);
    QCOMPARE(watched.Acquisition.Bus().Errors(), 40);

    qint64 failingMs = 0;
    while (watched.Acquisition.Link().Phase() == TAdapterLink::TPhase::Open && failingMs < 5000) {
        watched.Bus.Device()->FailRead();
        watched.Acquisition.Drain();
        watched.Clock.Ms += 50;
        failingMs += 50;
    }
    QCOMPARE(failingMs, 1050);  // failing for 1 s, seen at the tick after
    QCOMPARE(watched.Events.Lines.last(),
             QStringLiteral("adapter lost: reads from the adapter keep failing"));
}

void tst_AdapterLoss::anExceptionFromTheBackendLosesTheAdapter()
{
    TWatched watched;
    ConnectAndHearUnit1(watched);
    QObject stranger;
    QVERIFY(!TPCANBasic::NoteBackendFault(&stranger, "std::bad_alloc"));
    watched.Acquisition.Drain();
    QVERIFY(watched.Reports.isEmpty());

    QObject *backendPart = watched.Bus.Device()->findChild<QObject *>();
    QVERIFY(backendPart);
    QVERIFY(TPCANBasic::NoteBackendFault(backendPart, "std::bad_alloc"));
    watched.Acquisition.Drain();
    QCOMPARE(watched.Reports, QStringList({"adapter lost", "caption adapter lost"}));
    QCOMPARE(watched.Events.Lines, QStringList({"adapter lost: std::bad_alloc"}));
    QCOMPARE(TicksUntilATry(watched, 1000), 500);  // and recovers like an unplug
    QCOMPARE(watched.Acquisition.Link().Phase(), TAdapterLink::TPhase::Open);
}

void tst_AdapterLoss::busStateErrorsAndErrorFramesAreCountedAndReported()
{
    TWatched watched;
    ConnectAndHearUnit1(watched);
    watched.Acquisition.RunWatchdogs();
    QCOMPARE(watched.Acquisition.Bus().State(), QString());  // the fake tells no state

    watched.Bus.Device()->ReportBusStatus(QCanBusDevice::CanBusStatus::Warning);
    watched.Clock.Ms += 1000;
    watched.Acquisition.RunWatchdogs();
    QCOMPARE(watched.Acquisition.Bus().State(), QStringLiteral("warning"));
    watched.Bus.Device()->ReportBusStatus(QCanBusDevice::CanBusStatus::BusOff);
    watched.Clock.Ms += 1000;
    watched.Acquisition.RunWatchdogs();
    QCOMPARE(watched.Acquisition.Bus().State(), QStringLiteral("bus off"));

    QCanBusFrame errorFrame(QCanBusFrame::ErrorFrame);
    errorFrame.setError(QCanBusFrame::BusOffError);
    for (int i = 0; i < 3; ++i)
        watched.Bus.Device()->FailRead();
    watched.Bus.Device()->Inject({errorFrame, ProductionSample});
    watched.Acquisition.Drain();
    watched.Bus.Device()->FailRead();
    watched.Acquisition.Drain();
    QCOMPARE(watched.Acquisition.Bus().Errors(), 4);
    QCOMPARE(watched.Acquisition.Bus().ErrorFrames(), 1);
    // The errors after the first event of a second are told together, a second later.
    QCOMPARE(watched.Events.Lines.size(), 3);
    watched.Clock.Ms += 1000;
    watched.Acquisition.RunWatchdogs();
    QCOMPARE(watched.Events.Lines,
             QStringList({"bus state: warning", "bus state: bus off", "bus error: 1 error frame",
                          "bus error: 4 adapter errors (last: hardware not found)"}));
}

// A log about to stop takes into its events record what the once-a-second limits held back:
// the second gap of unit 1 and the second adapter error.
void tst_AdapterLoss::heldEventsGoOutBeforeALogStops()
{
    TWatched watched;
    QVERIFY(watched.Acquisition.Connect(0x011C));
    QList<QCanBusFrame> samples;
    for (int number = 1; number <= 400; ++number) {
        if (number == 350 || number == 360)
            continue;
        QCanBusFrame sample = ProductionSample;
        sample.setTimeStamp(QCanBusFrame::TimeStamp::fromMicroSeconds(number * 10'000));
        samples << sample;
    }
    watched.Bus.Device()->Inject(samples);
    watched.Bus.Device()->FailRead();
    watched.Acquisition.Drain();
    watched.Bus.Device()->FailRead();
    watched.Acquisition.Drain();
    QCOMPARE(watched.Events.Lines.size(), 2);
    watched.Acquisition.ReportHeldEvents();
    QCOMPARE(watched.Events.Lines.size(), 4);
    QVERIFY(watched.Events.Lines.contains("bus error: 1 adapter error (last: hardware not found)"));
    QCOMPARE(watched.Events.Lines.filter("samples lost: unit 1: 1 sample from ").size(), 2);
}

void tst_AdapterLoss::theLogGoesOnIntoTheSameFileAcrossALoss()
{
    QTemporaryDir folder;
    QVERIFY(QDir::setCurrent(folder.path()));
    TWatched watched;
    TLogSession log;
    log.KeepRawTrace = false;
    watched.Acquisition.AddSink(log);
    ConnectAndHearUnit1(watched);
    QString error;
    QVERIFY(log.StartLogging(watched.Acquisition.State, watched.Clock.Read(), &error));
    const QString path = log.FileName();

    watched.Bus.Device()->Inject({ProductionSample, ProductionSample});
    watched.Acquisition.Drain();
    watched.Bus.Device()->Die();
    watched.Acquisition.Drain();
    TicksUntilATry(watched, 1000);
    QCOMPARE(watched.Acquisition.Link().Phase(), TAdapterLink::TPhase::Open);
    watched.Bus.Device()->Inject({ProductionSample, ProductionSample, ProductionSample});
    watched.Acquisition.Drain();
    QVERIFY(log.LogActive());
    QCOMPARE(log.FileName(), path);
    QVERIFY(log.StopLogging(&error));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 5 + 5 + 1);  // head, five records, nothing after the last line end
    for (int record = 1; record <= 5; ++record)
        QVERIFY(lines[4 + record].startsWith(QByteArray::number(record) + ';'));
}

QTEST_GUILESS_MAIN(tst_AdapterLoss)
#include "tst_AdapterLoss.moc"
