// The events record beside a log: its file, and the events of a drive in the order they came.

#include "acquisition/uAcquisition.h"
#include "acquisition/uCalibrationRequest.h"
#include "base/uDriveEvents.h"
#include "display/uLtrAlarm.h"
#include "log/uEventsRecord.h"
#include "log/uLogFormat.h"
#include "log/uLogSession.h"
#include "support/uCountingSound.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Time(const TFakeClock &clock)
{
    return LogTime(clock.LocalNow().time()).toLatin1();
}

class TIdleTimer : public TAlarmTimer
{
public:
    bool IsRunning() const override { return m_running; }
    void Start() override { m_running = true; }
    void Stop() override { m_running = false; }

private:
    bool m_running = false;
};

}  // namespace

class tst_uEventsRecord : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir::setCurrent(m_folder.path())); }

    // Windows-1250 single bytes, CR LF, the head once, and an existing record appended to.
    void theLogsEncodingAndOneHead()
    {
        const QTime time(3, 4, 5);
        const QByteArray line = LogTime(time).toLatin1()
                                + ";speed source;pr\xEA"
                                  "dko\x9C\xE6 20\xB0\r\n";
        for (int run = 1; run <= 2; ++run) {
            TEventsRecord record;
            QString error;
            QVERIFY(record.Open(QStringLiteral("e.events.csv"), &error));
            record.Write(time, DriveEvent::SpeedSource, QStringLiteral("prędkość 20°"));
            QVERIFY(record.Close(&error));
        }
        QCOMPARE(Contents(QStringLiteral("e.events.csv")),
                 "GODZINA;ZDARZENIE;SZCZEG\xD3\xA3Y\r\n" + line + line);
    }

    void detailsStayOneField_data()
    {
        QTest::addColumn<QString>("details");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("separator") << "a;b;" << QByteArray("a,b,");
        QTest::newRow("CR LF") << "line 1\r\nline 2" << QByteArray("line 1  line 2");
        QTest::newRow("LF, CR alone") << "a\nb\rc" << QByteArray("a b c");
    }

    void detailsStayOneField()
    {
        QFETCH(QString, details);
        QFETCH(QByteArray, field);
        QFile::remove(QStringLiteral("d.events.csv"));
        TEventsRecord record;
        QString error;
        QVERIFY(record.Open(QStringLiteral("d.events.csv"), &error));
        record.Write(QTime(3, 4, 5), DriveEvent::BusError, details);
        QVERIFY(record.Close(&error));
        const QList<QByteArray> lines = Contents(QStringLiteral("d.events.csv")).split('\n');
        QCOMPARE(lines.size(), 3);  // head, event, nothing after the last line end
        QCOMPARE(lines[1], LogTime(QTime(3, 4, 5)).toLatin1() + ";bus error;" + field + "\r");
    }

    // What the core objects report while a log runs, stamped by the clock, in order; what
    // comes before Start or after Stop is dropped.
    void theEventsOfADrive()
    {
        TFakeCanBus bus;
        TFakeClock clock;
        TAcquisition acquisition(clock);
        QVERIFY(acquisition.Connect(0x011C));
        TLogSession log(clock);
        log.SetBaseName(QStringLiteral("drive.csv"));
        TIdleTimer timer;
        TCountingSound sound;
        TLtrAlarm alarm(timer, sound, &log);

        alarm.CheckLtrAlarm(0.9, 5);  // before Start: dropped
        alarm.CheckLtrAlarm(0.0, 5);
        QString error;
        QVERIFY(log.StartLogging(acquisition.State, clock.Read(), &error));
        const QByteArray started = Time(clock);
        clock.Ms += 1500;
        alarm.CheckLtrAlarm(-0.62, 5);
        alarm.CheckLtrAlarm(0.7, 5);  // holds: no new event
        const QByteArray on = Time(clock);
        clock.Ms += 2000;
        alarm.CheckLtrAlarm(0.5, 5);
        QCOMPARE(SendCalibrationRequest(acquisition, crCalibrate, &log), PCAN_ERROR_OK);
        const QByteArray off = Time(clock);
        log.SampleComplete(acquisition.State, {QTime(2, 0)});
        log.SampleComplete(acquisition.State, {QTime(2, 0)});
        clock.Ms += 1000;
        acquisition.Disconnect();
        QVERIFY(SendCalibrationRequest(acquisition, crFactorySettings, &log) != PCAN_ERROR_OK);
        const QByteArray stopped = Time(clock);
        const QString path = log.EventsRecordName();
        QCOMPARE(path, QStringLiteral("drive_001_20260329_020140.events.csv"));
        QVERIFY(log.StopLogging(&error));
        alarm.CheckLtrAlarm(0.9, 5);  // after Stop: dropped

        QCOMPARE(Contents(path), "GODZINA;ZDARZENIE;SZCZEG\xD3\xA3Y\r\n" + started
                                     + ";log started;drive_001_20260329_020140.csv\r\n" + on
                                     + ";LTR alarm on;LTR -0.620, threshold 0.5\r\n" + off
                                     + ";LTR alarm off;LTR 0.500, threshold 0.5\r\n" + off
                                     + ";calibration request;calibrate: sent\r\n" + stopped
                                     + ";calibration request;factory settings: Error sending "
                                       "calibration request\r\n"
                                     + stopped + ";log stopped;records: 2\r\n");
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(tst_uEventsRecord)
#include "tst_uEventsRecord.moc"
