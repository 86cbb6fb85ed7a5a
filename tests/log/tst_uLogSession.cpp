#include "log/uFileOnDisk.h"
#include "log/uLogSession.h"
#include "support/uFullDisk.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace {

const QDateTime Start(QDate(2024, 1, 2), QTime(3, 4, 5));
const qint64 StartUs = Start.toMSecsSinceEpoch() * 1000;

QByteArray Contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QList<QByteArray> Records(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast();   // after the last line end
    return lines.mid(5);  // after the head
}

}  // namespace

class tst_uLogSession : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir::setCurrent(m_folder.path())); }

    void filesAreNumberedPerRun()
    {
        TLogSession log;
        TAcquisitionState state;
        QString error;
        QVERIFY(log.StartLogging(state, Start, &error));
        QCOMPARE(log.FileName(), QStringLiteral("log_001_20240102_030405.csv"));
        QVERIFY(log.StopLogging(&error));
        QVERIFY(!log.LogActive() && log.FileName().isEmpty());
        QVERIFY(log.StartLogging(state, Start.addSecs(1), &error));
        QCOMPARE(log.FileName(), QStringLiteral("log_002_20240102_030406.csv"));
        log.StopLogging(&error);

        log.SetBaseName(QStringLiteral("log.csv"));  // unchanged: the count goes on
        QCOMPARE(log.LogFileIndex, 2);
        log.SetBaseName(QStringLiteral("trip.csv"));
        QCOMPARE(log.LogFileIndex, 0);

        // A Start that cannot open its file has used its number all the same.
        log.SetBaseName(QStringLiteral("no-such-folder/trip.csv"));
        QVERIFY(!log.StartLogging(state, Start, &error));
        QVERIFY(error.contains(QLatin1String("trip_001_")));
        QCOMPARE(log.LogFileIndex, 1);
        QVERIFY(!log.LogActive());
    }

    // Counters restart at Start, so the first record of a thinned log is the 32nd sample,
    // and every 32nd follows, also across the counter's wrap from 255 to 0.
    void everyThirtySecondRecord()
    {
        TLogSession log;
        log.SetBaseName(QStringLiteral("thinned.csv"));
        log.EveryThirtySecond = true;
        TAcquisitionState state;
        state.Sensors[1].FrameCounter = 17;
        QString error;
        QVERIFY(log.StartLogging(state, Start, &error));
        QCOMPARE(state.Sensors[1].FrameCounter, 0);
        QList<int> written;
        for (int sample = 1; sample <= 300; ++sample) {
            state.Sensors[1].FrameCounter = (state.Sensors[1].FrameCounter + 1) % 256;
            const qint32 before = log.LogRecordNo;
            log.SampleComplete(state, {QTime(3, 4, 5)});
            if (log.LogRecordNo != before)
                written << sample;
        }
        QCOMPARE(written, (QList<int>{32, 64, 96, 128, 160, 192, 224, 256, 288}));
        const QString path = log.FileName();
        QVERIFY(log.StopLogging(&error));
        QCOMPARE(Records(path).size(), 9);
        QVERIFY(Records(path).constFirst().startsWith("1;"));
    }

    // The columns are those of the head, whatever the ticks say later.
    void recordsKeepTheColumnsOfTheirHead()
    {
        TLogSession log;
        log.SetBaseName(QStringLiteral("columns.csv"));
        TAcquisitionState state;
        QString error;
        log.FollowTicks({false, true, false});
        QVERIFY(log.StartLogging(state, Start, &error));
        log.FollowTicks({true, false, false});  // a tick after Start changes the next file only
        log.SampleComplete(state, {QTime(3, 4, 5)});
        const QString path = log.FileName();
        log.StopLogging(&error);
        QCOMPARE(Records(path).constFirst().count(';'), 15);
    }

    // Frames are written with the time they are seen with, read and sent alike, with the
    // direction after the data; unticking the menu item stops the next one.
    void theRawTraceLiesBesideTheLog()
    {
        TLogSession log;
        log.SetBaseName(QStringLiteral("trace.csv"));
        TAcquisitionState state;
        QString error;
        QVERIFY(log.StartLogging(state, {Start, 5000}, &error));
        QCOMPARE(log.RawTraceName(), QStringLiteral("trace_001_20240102_030405.log"));
        TPCANMsg unit{0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {1, 2, 3, 4, 5, 6, 7, 8}};
        TPCANMsg request{0x123, PCAN_MESSAGE_STANDARD, 1, {2}};
        log.FrameSeen(unit, false, StartUs);
        log.FrameSeen(request, true, StartUs + 1'250'000);
        QVERIFY(log.StopLogging(&error));
        log.FrameSeen(unit, false, StartUs + 2'000'000);  // after Stop: nowhere
        const QByteArray at = QByteArray::number(Start.toSecsSinceEpoch());
        const QByteArray next = QByteArray::number(Start.toSecsSinceEpoch() + 1);
        QCOMPARE(Contents(QStringLiteral("trace_001_20240102_030405.log")),
                 "(" + at + ".000000) can0 18FECE47#0102030405060708 R\n(" + next
                     + ".250000) can0 123#02 T\n");

        log.KeepRawTrace = false;
        QVERIFY(log.StartLogging(state, {Start.addSecs(1), 7000}, &error));
        QVERIFY(log.RawTraceName().isEmpty());
        log.FrameSeen(unit, false, StartUs + 2'000'000);
        log.StopLogging(&error);
        QVERIFY(!QFile::exists(QStringLiteral("trace_002_20240102_030406.log")));
    }

    // What the first records show rests on frames from before Start: the trace opens with the
    // last of each identifier from the last five seconds, but for unit 1's own, whose samples
    // came before the log. A busy bus keeps no more than 64 identifiers.
    void aTraceOpensWithTheFramesItsFirstRecordsRestOn()
    {
        TLogSession log;
        log.SetBaseName(QStringLiteral("head.csv"));
        TAcquisitionState state;
        const TPCANMsg chassis{0x18FECF10, PCAN_MESSAGE_EXTENDED, 8, {0x00, 0x05}};
        const TPCANMsg later{0x18FECF10, PCAN_MESSAGE_EXTENDED, 8, {0x00, 0x06}};
        const qint64 before = StartUs - 10'000'000;
        // Over 5 s before the last frame read:
        log.FrameSeen({0x123, PCAN_MESSAGE_STANDARD, 1, {1}}, false, before + 3'900'000);
        log.FrameSeen(chassis, false, before + 9'500'000);
        log.FrameSeen(later, false, before + 9'800'000);
        log.FrameSeen({0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {}}, false, before + 9'850'000);
        log.FrameSeen({0x18FAFD25, PCAN_MESSAGE_EXTENDED, 1, {2}}, true, before + 9'900'000);
        QString error;
        QVERIFY(log.StartLogging(state, {Start, 10000}, &error));
        QVERIFY(log.StopLogging(&error));
        const QByteArray at = QByteArray::number(Start.toSecsSinceEpoch() - 1);
        QCOMPARE(Contents(QStringLiteral("head_001_20240102_030405.log")),
                 "(" + at + ".800000) can0 18FECF10#0006000000000000 R\n");

        for (quint32 id = 1; id <= 70; ++id)
            log.FrameSeen({id, PCAN_MESSAGE_STANDARD, 0, {}}, false, StartUs + 10'000 * id);
        QVERIFY(log.StartLogging(state, {Start.addSecs(20), 21000}, &error));
        QVERIFY(log.StopLogging(&error));
        const QList<QByteArray> lines =
            Contents(QStringLiteral("head_002_20240102_030425.log")).split('\n');
        QCOMPARE(lines.size(), 64 + 1);
        QVERIFY(lines.constFirst().endsWith(" can0 007# R"));
    }

    // A trace that cannot be written takes the log with it: the user was promised both.
    void aTraceThatFailsEndsTheLog()
    {
        TLogSession log;
        log.SetBaseName(QStringLiteral("blocked.csv"));
        TAcquisitionState state;
        QString error;
        QVERIFY(QDir().mkdir(QStringLiteral("blocked_001_20240102_030405.log")));
        QVERIFY(!log.StartLogging(state, Start, &error));
        QVERIFY(error.contains(QLatin1String("blocked_001_20240102_030405.log")));
        QVERIFY(!log.LogActive());
        QVERIFY(!QFile::exists(QStringLiteral("blocked_001_20240102_030405.csv")));
    }

    // The trace meets a full disk or a file-size limit first (ulimit -f here, FAT32's 4 GiB in
    // a vehicle; it fails the write instead of killing the program): it stops alone, named as
    // what it is, and the log goes on; so does a failing events record.
    void aFailingTraceOrEventsRecordStopsAlone_data()
    {
        QTest::addColumn<bool>("trace");
        QTest::addColumn<bool>("sizeLimit");
        QTest::addColumn<QString>("message");
        QTest::newRow("raw trace")
            << true << false << "Cannot write the raw trace t.log: No space left on device";
        QTest::newRow("events record")
            << false << false
            << "Cannot write the events record noted.events.csv: No space left on device";
#ifndef Q_OS_WIN
        QTest::newRow("raw trace past a file-size limit")
            << true << true << "Cannot write the raw trace " + m_folder.path();
#endif
    }

    void aFailingTraceOrEventsRecordStopsAlone()
    {
        QFETCH(bool, trace);
        QFETCH(bool, sizeLimit);
        QFETCH(QString, message);
        TLogSession log;
        QStringList told;
        log.OnSideFileStopped = [&told](const QString &stopped) { told << stopped; };
        log.SetBaseName(sizeLimit ? QStringLiteral("limited.csv")
                        : trace   ? QStringLiteral("stopped.csv")
                                  : QStringLiteral("noted.csv"));
        TAcquisitionState state;
        QString error;
        QVERIFY(log.StartLogging(state, Start, &error));
        const QString logPath = log.FileName();
        const QString events = log.EventsRecordName();
        TMeasurementLog &failing = trace ? log.RawTraceFile() : log.EventsRecordFile();
#ifndef Q_OS_WIN
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto restore = qScopeGuard([&before] { setrlimit(RLIMIT_FSIZE, &before); });
        if (sizeLimit) {
            LetFileSizeLimitsFailWrites();
            rlimit limit = before;
            limit.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        }
#endif
        if (!sizeLimit)
            QVERIFY(
                failing.OpenOn(std::make_unique<TFullDisk>(),
                               trace ? QStringLiteral("t.log") : QStringLiteral("noted.events.csv"),
                               false, {}, &error));
        for (int frame = 0; frame < 200; ++frame)  // about 9 kB of trace
            log.FrameSeen(TPCANMsg{}, false, frame);
        log.DriveEventOccurred(DriveEvent::BusError, QStringLiteral("stuff error"));
        QTRY_VERIFY(log.Flush(0, &error) && !told.isEmpty());  // from the writer's thread
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].startsWith(message), qPrintable(told[0]));
        QVERIFY(log.LogActive() && !failing.IsOpen());
        QCOMPARE(log.RawTraceName().isEmpty(), trace);
        log.SampleComplete(state, {QTime(3, 4, 6)});
        log.FrameSeen(TPCANMsg{}, false, 0);
        QVERIFY(log.Flush(1, &error) && log.StopLogging(&error));
        QCOMPARE(Contents(logPath).count("\r\n"), 6);  // the head and the record after
        if (trace)
            QVERIFY(Contents(events).contains(";raw trace stopped;" + told[0].toLatin1() + "\r\n"));
    }

    // The events record is promised with the log: one that cannot be opened fails the Start,
    // which takes back only the files it created; one that fails later ends the log.
    void aStartThatFailsLeavesOnlyTheFilesThatWereThere_data()
    {
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<bool>("logWasThere");
        QTest::newRow("trace") << "gone_001_20240102_030405.log" << false;
        QTest::newRow("events record") << "gone_001_20240102_030405.events.csv" << false;
        QTest::newRow("events record of a log appended to")
            << "gone_001_20240102_030405.events.csv" << true;
    }

    void aStartThatFailsLeavesOnlyTheFilesThatWereThere()
    {
        QFETCH(QString, blocked);
        QFETCH(bool, logWasThere);
        const QString logPath = QStringLiteral("gone_001_20240102_030405.csv");
        if (logWasThere) {
            QFile old(logPath);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\r\n") == 5);
        }
        QVERIFY(QDir().mkdir(blocked));
        TLogSession log;
        log.SetBaseName(QStringLiteral("gone.csv"));
        TAcquisitionState state;
        QString error;
        QVERIFY(!log.StartLogging(state, Start, &error));
        QVERIFY(error.contains(blocked));
        QVERIFY(!log.LogActive() && log.EventsRecordName().isEmpty());
        QCOMPARE(QDir().entryList({QStringLiteral("gone_*")}, QDir::Files),
                 logWasThere ? QStringList{logPath} : QStringList{});
        if (logWasThere)
            QCOMPARE(Contents(logPath), "old\r\n");
        QVERIFY(QDir().rmdir(blocked));
        QFile::remove(logPath);
    }

    void noRecordWithoutALog()
    {
        TLogSession log;
        log.SampleComplete(TAcquisitionState{}, {QTime(3, 4, 5)});
        QCOMPARE(log.LogRecordNo, 0);
        QString error;
        QVERIFY(log.Flush(0, &error));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(tst_uLogSession)
#include "tst_uLogSession.moc"
