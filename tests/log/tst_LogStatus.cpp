#include "log/uLogStatus.h"

#include <QDir>
#include <QtTest>

// What the status bar says of the log, on every page.
class tst_LogStatus : public QObject
{
    Q_OBJECT
private slots:
    void runningLog_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("traceBytes");
        QTest::addColumn<QString>("text");
        const QString home = QDir::homePath();
        QTest::newRow("under the home folder, with its trace")
            << home + "/logs/run_001_20261210_072014.csv" << qint64(2'300'000)
            << "Logging to ~/logs/run_001_20261210_072014.csv · 1:02:03 · 4200 records · "
               "310.0 kB, raw trace 2.3 MB";
        QTest::newRow("elsewhere, without trace")
            << "/mnt/stick/run_002_20261210_090000.csv" << qint64(-1)
            << "Logging to /mnt/stick/run_002_20261210_090000.csv · 1:02:03 · 4200 records · "
               "310.0 kB";
    }
    void runningLog()
    {
        QFETCH(QString, path);
        QFETCH(qint64, traceBytes);
        QFETCH(QString, text);
        const TLogStatus status = RunningLogStatus(path, 3'723'000, 4200, 310'000, traceBytes);
        QCOMPARE(status.Text, text);
        QCOMPARE(status.ToolTip, QDir::toNativeSeparators(path));
    }

    // Before Start the name's time is not known; what ended the last log comes first.
    void nextLog()
    {
        const QString home = QDir::homePath();
        QCOMPARE(NextLogStatus(home + "/trip.csv", 2, {}).Text,
                 QStringLiteral("Next log: ~/trip_002_DATE_TIME.csv"));
        const TLogStatus ended = NextLogStatus(home + "/trip.csv", 3,
                                               QStringLiteral("trip_002 ended by OK in Settings"));
        QCOMPARE(ended.Text, QStringLiteral("trip_002 ended by OK in Settings · Next log: "
                                            "~/trip_003_DATE_TIME.csv"));
        QCOMPARE(ended.ToolTip, QDir::toNativeSeparators(home + "/trip_003_DATE_TIME.csv"));
    }
};

QTEST_GUILESS_MAIN(tst_LogStatus)
#include "tst_LogStatus.moc"
