#include "log/uLogSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime Start(QDate(2024, 1, 2), QTime(3, 4, 5));

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
