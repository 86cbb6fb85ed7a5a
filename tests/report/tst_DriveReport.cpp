#include "base/uNumberFormat.h"
#include "log/uLogFormat.h"
#include "report/uDriveReport.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One second of a drive: speed, tilt X, tilt Y, acc X, acc Y, LTR of unit 1.
struct TSecond {
    double Speed, TiltX, TiltY, AccX, AccY, Ltr;
};

// A log as the program writes it: ten records a second, all with the second's values, from
// 10:00:00 on; and its events record where one is given.
QString WriteDrive(const QTemporaryDir &folder, const QList<TSecond> &seconds,
                   const QStringList &events = {})
{
    const QLocale polish(QLocale::Polish);
    QStringList lines = LogHead(QDate(2026, 12, 10), {}, {}, polish);
    qint32 number = 0;
    for (qsizetype second = 0; second < seconds.size(); ++second) {
        TAcquisitionState state;
        const TSecond &values = seconds[second];
        state.Chassis.VehicleSpeed = values.Speed;
        TSensorSample &unit = state.Sensors[1];
        unit.TiltX = values.TiltX;
        unit.TiltY = values.TiltY;
        unit.AccX = values.AccX;
        unit.AccY = values.AccY;
        unit.LTR = values.Ltr;
        const QString time = LogTime(QTime(10, 0).addSecs(int(second)), polish);
        for (int record = 0; record < 10; ++record)
            lines << LogRecordLine(++number, time, state, {}, polish);
    }
    const QString path = folder.filePath(QStringLiteral("drive_001_20261210_100000.csv"));
    const auto write = [](const QString &name, const QStringList &text) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            QStringEncoder("windows-1250").encode(text.join(QStringLiteral("\r\n")) + "\r\n"));
    };
    write(path, lines);
    if (!events.isEmpty())
        write(EventsRecordNameFor(path), QStringList{"GODZINA;ZDARZENIE;SZCZEGÓŁY"} + events);
    return path;
}

const QList<TSecond> Bend{{20, 1, -2, 0.1, 0.05, 0.2},
                          {35, 4.5, -7.25, -0.31, 0.2, -0.62},
                          {40, 2, 9.5, 0.4, -0.45, 0.55},
                          {30, -1, 3, 0.1, 0.1, 0.3}};

}  // namespace

class tst_DriveReport : public QObject
{
    Q_OBJECT
private slots:
    // Each largest magnitude keeps its sign, the second it was first reached and the speed
    // then; the LTR above 0,5 for two seconds.
    void extremesAreTheLogsOwnRecords()
    {
        QTemporaryDir folder;
        TDriveReport report;
        QString error;
        QVERIFY2(ReadDriveReport(WriteDrive(folder, Bend), {}, &report, &error), qPrintable(error));
        const QList<QStringList> table = ExtremesTable(report);
        const auto row = [&table](int index) { return table[index].join(u'|'); };
        const auto number = [](double value, int decimals) {
            return FormatFixed(value, decimals);
        };
        QCOMPARE(row(1), "LTR|" + number(-0.62, 3) + "|10:00:01 (0:01)|" + number(35, 1));
        QCOMPARE(row(2),
                 "Tilt angle X [°]|" + number(4.5, 2) + "|10:00:01 (0:01)|" + number(35, 1));
        QCOMPARE(row(3),
                 "Tilt angle Y [°]|" + number(9.5, 2) + "|10:00:02 (0:02)|" + number(40, 1));
        QCOMPARE(row(4),
                 "Acceleration X [g]|" + number(0.4, 2) + "|10:00:02 (0:02)|" + number(40, 1));
        QCOMPARE(row(5),
                 "Acceleration Y [g]|" + number(-0.45, 2) + "|10:00:02 (0:02)|" + number(40, 1));
        QCOMPARE(ReportCounts(report).first().second, QStringLiteral("0:02"));
        QCOMPARE(report.Log.Records.size(), 40);
    }

    // The threshold the drive ran with wins over the one given; a log without events record
    // says its counts are not known.
    void thresholdAndCountsComeFromTheEventsRecord_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<double>("given");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<QString>("alarms");
        QTest::addColumn<QString>("aboveThreshold");
        QTest::addColumn<QString>("sourceChanges");
        // The speed source told at the log's start is the state then, not a change.
        const QStringList alarm{"10:00:00;log started;drive_001_20261210_100000.csv",
                                "10:00:00;speed source;serial: off",
                                "10:00:00;LTR alarm off;LTR 0,200, threshold 0,6",
                                "10:00:01;LTR alarm on;LTR 0,620, threshold 0,6",
                                "10:00:02;LTR alarm off;LTR 0,300, threshold 0,6",
                                "10:00:02;speed source;simulation: 30 km/h"};
        QTest::newRow("events") << alarm << 0.3 << 0.6 << "1"
                                << "0:01"
                                << "1";
        const QString unknown = QStringLiteral("not known");
        QTest::newRow("given") << QStringList() << 0.3 << 0.3 << unknown << "0:02" << unknown;
        QTest::newRow("default") << QStringList() << -1.0 << 0.5 << unknown << "0:02" << unknown;
    }
    void thresholdAndCountsComeFromTheEventsRecord()
    {
        QFETCH(QStringList, events);
        QFETCH(double, given);
        QFETCH(double, threshold);
        QFETCH(QString, alarms);
        QFETCH(QString, aboveThreshold);
        QFETCH(QString, sourceChanges);
        QTemporaryDir folder;
        TDriveReport report;
        QString error;
        QVERIFY(ReadDriveReport(WriteDrive(folder, Bend, events),
                                given > 0 ? std::optional(given) : std::nullopt, &report, &error));
        QCOMPARE(report.Threshold, threshold);
        const QList<TReportField> counts = ReportCounts(report);
        QCOMPARE(counts[0].second, aboveThreshold);
        QCOMPARE(counts[1].second, alarms);
        QCOMPARE(counts[3].second, sourceChanges);
        const QString completeness = ReportHead(report)[8].second;
        QCOMPARE(completeness.startsWith(QLatin1String("not known")), events.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_DriveReport)
#include "tst_DriveReport.moc"
