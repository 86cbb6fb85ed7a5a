// A measurement log and its events record read back for the report, as the writer makes them in
// every locale, appended to, cut off, or no log at all.

#include "base/uDriveEvents.h"
#include "log/uEventsRecord.h"
#include "log/uLogFormat.h"
#include "log/uLogLocale.h"
#include "report/uDriveEvents.h"
#include "report/uDriveLog.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TAcquisitionState Values(int n)
{
    TAcquisitionState state;
    state.Chassis.VehicleSpeed = 40.25 + n;
    TSensorSample &unit = state.Sensors[1];
    unit.TiltX = -0.41 * n;
    unit.TiltY = 2.02;
    unit.AccX = 0.14;
    unit.AccY = -0.01 * n;
    unit.AngularVelocity = 1.5;
    unit.LTR = 0.012 * n - 0.2;
    return state;
}

QByteArray Bytes(const QStringList &lines)
{
    QStringEncoder windows1250("windows-1250");
    return windows1250.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// A head, and a record at each time.
QStringList LogLines(const QStringList &times, const QLocale &locale = QLocale::c(),
                     TLogUnits units = {})
{
    QStringList lines = LogHead(QDate(2024, 1, 2), QStringLiteral("2.3"), units, locale);
    for (int i = 0; i < times.size(); ++i)
        lines << LogRecordLine(i + 1, times[i], Values(i), units, locale);
    return lines;
}

TDriveLog Read(const QByteArray &bytes, QString *error)
{
    TDriveLog log;
    error->clear();
    if (!ReadDriveLog(bytes, &log, error) && error->isEmpty())
        *error = QStringLiteral("false without a message");
    return log;
}

QList<double> Seconds(const TDriveLog &log)
{
    QList<double> seconds;
    for (const TDriveRecord &record : log.Records)
        seconds << record.Seconds;
    return seconds;
}

QList<double> Numbers(const TDriveLog &log)
{
    QList<double> numbers;
    for (const TDriveRecord &r : log.Records)
        numbers << r.Speed << r.TiltX << r.TiltY << r.AccX << r.AccY << r.Ltr;
    return numbers;
}

}  // namespace

class tst_DriveLog : public QObject
{
    Q_OBJECT
private slots:
    // Around noon and midnight, two records a second, in every locale's separator, time format
    // and AM/PM markers: the numbers of the C locale's log, the seconds going on.
    void everyLocaleReadsBack()
    {
        QList<double> expected;
        for (double second : {0, 1, 3600, 3601, 43200, 43201})
            expected << second << second + 0.5;
        QString error;
        const QList<QTime> times{QTime(11, 59, 59), QTime(12, 0),      QTime(12, 59, 59),
                                 QTime(13, 0),      QTime(23, 59, 59), QTime(0, 0)};
        const auto logIn = [&](const QLocale &locale) {
            QStringList texts;
            for (const QTime &time : times)
                texts << LogTime(time, locale) << LogTime(time.addMSecs(500), locale);
            return Read(Bytes(LogLines(texts, locale)), &error);
        };
        const TDriveLog c = logIn(QLocale::c());
        QCOMPARE(Numbers(c).mid(6, 6), (QList<double>{41.25, -0.41, 2.02, 0.14, -0.01, -0.188}));
        for (const QLocale &locale : QLocale::matchingLocales(
                 QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            const TDriveLog log = logIn(locale);
            const QByteArray name = locale.name().toUtf8() + ": " + error.toUtf8();
            QVERIFY2(error.isEmpty(), name.constData());
            QVERIFY2(Seconds(log) == expected && Numbers(log) == Numbers(c), name.constData());
            QCOMPARE(log.Date, LogDate(QDate(2024, 1, 2), locale));
            QCOMPARE(log.StartClock, 43199.0);
        }
    }

    void secondsOnTheAxis_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QList<double>>("seconds");
        QTest::newRow("one second's records spread")
            << QStringList{"09:14:46", "09:14:46", "09:14:46", "09:14:46", "09:14:47"}
            << QList<double>{0, 0.25, 0.5, 0.75, 1};
        QTest::newRow("every 32nd record, a gap kept")
            << QStringList{"09:14:46", "09:14:46", "09:14:46", "09:14:47", "09:14:50"}
            << QList<double>{0, 1 / 3.0, 2 / 3.0, 1, 4};
        QTest::newRow("clock set back: the same second, then on")
            << QStringList{"10:00:00", "10:00:01", "09:59:00", "09:59:01"}
            << QList<double>{0, 1, 1.5, 2};
    }

    void secondsOnTheAxis()
    {
        QFETCH(QStringList, times);
        QFETCH(QList<double>, seconds);
        QString error;
        QCOMPARE(Seconds(Read(Bytes(LogLines(times)), &error)), seconds);
        QCOMPARE(error, QString());
    }

    // A crash leaves a line cut anywhere; the writer ends it before it appends the next log.
    void cutAndAppended_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("heads");
        QTest::addColumn<bool>("cut");
        const QByteArray log = Bytes(LogLines({"09:14:46", "09:14:46", "09:14:47"}));
        const QByteArray unitTwo = Bytes(LogLines({"10:00:00", "10:00:01"}, {}, {true, false}));
        QTest::newRow("whole") << log << 3 << 1 << false;
        QTest::newRow("without its last line end") << log.chopped(2) << 3 << 1 << false;
        QTest::newRow("fewer fields") << log.chopped(20) << 2 << 1 << true;
        QTest::newRow("the last number cut") << log.chopped(3) << 2 << 1 << true;
        QTest::newRow("zeros of a lost write") << log + QByteArray(300, '\0') << 3 << 1 << true;
        QTest::newRow("appended, other units") << log + unitTwo << 5 << 2 << false;
        QTest::newRow("cut, then appended") << log.chopped(20) + "\r\n" + unitTwo << 4 << 2 << true;
        QTest::newRow("head cut") << log + unitTwo.first(40) << 3 << 1 << true;
    }

    void cutAndAppended()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QFETCH(int, heads);
        QFETCH(bool, cut);
        QString error;
        const TDriveLog log = Read(bytes, &error);
        QCOMPARE(error, QString());
        QCOMPARE(log.Records.size(), records);
        QCOMPARE(log.Heads, heads);
        QCOMPARE(log.LastLineCut, cut);
        QCOMPARE(log.Units, 1);
        QCOMPARE(log.Firmware, QStringLiteral("2.3"));
    }

    void notALog_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QByteArray broken = Bytes(LogLines({"09:14:46", "09:14:47", "09:14:48"}));
        broken.replace("2;09:14:47;41.25", "2;09:14:47;41x25");
        QTest::newRow("empty") << QByteArray() << "line 1: not a measurement log";
        QTest::newRow("another CSV") << QByteArray("a;b;c\r\n1;2;3\r\n") << "line 1: not a";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10) << "line 1: not a";
        QTest::newRow("a record's number") << broken << "line 7: PREDKOSC LINIOWA [km/h] should";
        QTest::newRow("fields of a record") << Bytes(LogLines({"09:14:46"}) << "2;09:14:47;1.00"
                                                                            << "3;09:14:48;1.00")
                                            << "line 7: a record needs 10 fields, found 3";
        QTest::newRow("head without firmware")
            << Bytes(LogLines({}).mid(0, 2)) << "line 3: the head should go on with \"Firmware;\"";
        QTest::newRow("columns of no log")
            << Bytes(LogLines({}).mid(0, 4) << "LP;GODZINA") << "line 5: the head should";
    }

    void notALog()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QString message;
        Read(bytes, &message);
        QVERIFY2(message.startsWith(error), qPrintable(message));
    }

    void clockSeconds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("seconds");  // -1: no time
        QTest::newRow("marker with dots") << "9.14.46 p.m." << 76486.0;
        QTest::newRow("12 AM, marker before") << "am12:00:01" << 1.0;
        QTest::newRow("other letters: as written") << "9:14:46 du." << 33286.0;
        QTest::newRow("no such hour") << "25:00:00" << -1.0;
    }

    void clockSeconds()
    {
        QFETCH(QString, text);
        QFETCH(double, seconds);
        QCOMPARE(ClockSeconds(text).value_or(-1), seconds);
    }

    // As the writer writes them, its separator in the details written as ",".
    void eventsRecord_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QTime>("start");
        QTest::newRow("decimal point") << "en_US" << QTime(9, 14, 46);
        QTest::newRow("decimal comma, past midnight") << "pl_PL" << QTime(23, 59, 50);
    }

    void eventsRecord()
    {
        QFETCH(QString, locale);
        QFETCH(QTime, start);
        const QLocale own(locale);
        QStringList times;
        for (int second = 0; second <= 20; ++second)
            times << LogTime(start.addSecs(second), own);
        QString error;
        const TDriveLog log = Read(Bytes(LogLines(times, own)), &error);
        QTemporaryDir folder;
        const QString logPath = folder.filePath(QStringLiteral("log.csv"));
        TEventsRecord record;
        QVERIFY(record.Open(EventsRecordNameFor(logPath), &error));
        const auto write = [&](int second, const char *event, const QString &details = {}) {
            record.Write(start.addSecs(second), event, details, own);
        };
        const QString alarm = QStringLiteral("LTR %1, threshold %2")
                                  .arg(LogNumber(0.612, 3, own), LogNumber(0.5, 1, own));
        write(-1, DriveEvent::LogStarted);
        write(2, DriveEvent::SamplesLost, "unit 1: 40 samples from 09:14:49.176 to 09:14:49.586");
        write(3, DriveEvent::SamplesLost, "unit 2: 7 samples from 09:14:49.176 to 09:14:49.586");
        write(4, DriveEvent::SamplesLost, "unit 1: 12 samples in 3 gaps from 09:14:50 to 09:14:51");
        write(5, DriveEvent::IncompleteSample, "unit 1: status frame without motion frame");
        write(6, DriveEvent::IncompleteSample,
              "unit 1: status frame without motion frame; 5 more not reported since 09:14:49.100");
        write(7, DriveEvent::LtrAlarmOn, alarm);
        write(9, DriveEvent::LtrAlarmOff, alarm);
        write(10, DriveEvent::AdapterLost);
        write(11, DriveEvent::SpeedSource, QStringLiteral("CAN"));
        write(12, DriveEvent::CalibrationRequest);
        write(15, DriveEvent::LtrAlarmOn, alarm);
        QVERIFY(record.Close(&error));

        const TDriveEvents events = ReadDriveEventsBeside(logPath, log);
        QVERIFY(events.Known);
        QCOMPARE(events.Events.size(), 12);
        QCOMPARE(events.Events[0].Seconds, -1.0);
        QCOMPARE(events.Events[9].Seconds, 11.0);
        // Samples lost and incomplete, adapter outages, source changes, requests, alarms.
        QCOMPARE(
            (QList<qint64>{events.SamplesLost, events.Incomplete, events.AdapterOutages,
                           events.SpeedSourceChanges, events.CalibrationRequests, events.Alarms}),
            (QList<qint64>{52, 7, 1, 1, 1, 2}));
        QCOMPARE(events.Threshold.value_or(-1), 0.5);
        QCOMPARE(events.AlarmPeriods, (QList<std::pair<double, double>>{{7, 9}, {15, 20}}));
        QVERIFY(!ReadDriveEventsBeside(folder.filePath(QStringLiteral("none.csv")), log).Known);
    }
};

QTEST_GUILESS_MAIN(tst_DriveLog)
#include "tst_DriveLog.moc"
