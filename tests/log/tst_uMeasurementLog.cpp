#include "log/uLogFormat.h"
#include "log/uMeasurementLog.h"
#include "support/uFullDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif
#ifdef Q_OS_LINUX
#include <atomic>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

#ifdef Q_OS_UNIX
// While it lives no file may grow, as on a full disk: writes fail with "File too large".
class TNoRoomForFiles
{
public:
    TNoRoomForFiles()
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = m_saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~TNoRoomForFiles()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};
#endif

#ifdef Q_OS_LINUX
// The medium's sync as a slow USB stick makes it: this program's own fdatasync, which the log's
// calls reach before the C library's, hangs while a test holds it.
std::atomic<bool> ForcesHeld{false};
std::atomic<int> ForcesEntered{0};
#endif

}  // namespace

#ifdef Q_OS_LINUX
extern "C" int fdatasync(int fd)
{
    ++ForcesEntered;
    while (ForcesHeld)
        usleep(1000);
    return int(syscall(SYS_fdatasync, fd));
}
#endif

class tst_uMeasurementLog : public QObject
{
    Q_OBJECT
private slots:
    void fileNames_data();
    void fileNames();
    void rawTraceNames_data();
    void rawTraceNames();
    void eventsRecordNames_data();
    void eventsRecordNames();
    void columnLine_data();
    void columnLine();
    void recordLine_data();
    void recordLine();
    void timeCarriesNoZone();
    void windows1250AndCrLf();
    void anExistingFileGetsNoSecondHead();
    void anAppendedPartStartsOnANewLine_data();
    void anAppendedPartStartsOnANewLine();
    void recordsReachTheFileAtTheFlush();
    void aFullDiskIsReportedAtTheFlush();
    void aMebibyteWaitingGoesToTheFileAtOnce();
    void theFileIsForcedToTheDiskEverySecondAndAtTheClose();
    void aSyncThatHangsHoldsUpNoFlushAndNoRecord();
    void aFileGoneFromItsNameIsReported_data();
    void aFileGoneFromItsNameIsReported();
    void aNewCurrentFolderDoesNotLoseTheFile();
    void openFailuresNameTheFile_data();
    void openFailuresNameTheFile();
    void aStartOnAFullDiskRemovesOnlyWhatItCreated_data();
    void aStartOnAFullDiskRemovesOnlyWhatItCreated();
};

void tst_uMeasurementLog::fileNames_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("index");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("name");
    const QDateTime early(QDate(2024, 1, 2), QTime(3, 4, 5));
    QTest::newRow("first") << "log.csv" << 1 << early << "log_001_20240102_030405.csv";
    QTest::newRow("index 1000") << "log.csv" << 1000 << early << "log_1000_20240102_030405.csv";
    QTest::newRow("single digits") << "log.csv" << 2 << QDateTime(QDate(2024, 9, 5), QTime(9, 5, 7))
                                   << "log_002_20240905_090507.csv";
    QTest::newRow("late") << "log.csv" << 12 << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59))
                          << "log_012_20251231_235959.csv";
    QTest::newRow("no extension") << "trip" << 1 << early << "trip_001_20240102_030405";
    QTest::newRow("folder") << "/data/tests.2024/trip.csv" << 3 << early
                            << "/data/tests.2024/trip_003_20240102_030405.csv";
    QTest::newRow("windows folder")
        << "C:\\logs\\trip.txt" << 1 << early << "C:\\logs\\trip_001_20240102_030405.txt";
}

void tst_uMeasurementLog::fileNames()
{
    QFETCH(QString, base);
    QFETCH(int, index);
    QFETCH(QDateTime, start);
    QFETCH(QString, name);
    QCOMPARE(LogFileNameFor(base, index, start), name);
}

void tst_uMeasurementLog::rawTraceNames_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("trace");
    QTest::newRow("csv") << "logs/run_001_20240102_030405.csv"
                         << "logs/run_001_20240102_030405.log";
    QTest::newRow("no extension") << "/data/tests.2024/trip_001"
                                  << "/data/tests.2024/trip_001.log";
    QTest::newRow("a log named .log keeps its name") << "trip_001_20240102_030405.LOG"
                                                     << "trip_001_20240102_030405.can.log";
}

void tst_uMeasurementLog::rawTraceNames()
{
    QFETCH(QString, log);
    QFETCH(QString, trace);
    QCOMPARE(RawTraceNameFor(log), trace);
}

void tst_uMeasurementLog::eventsRecordNames_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("events");
    QTest::newRow("csv") << "log_001_20240102_030405.csv"
                         << "log_001_20240102_030405.events.csv";
    QTest::newRow("no extension, dotted folder") << "/data/tests.2024/trip_001"
                                                 << "/data/tests.2024/trip_001.events.csv";
    QTest::newRow("another extension") << "C:\\logs\\trip_001.TXT"
                                       << "C:\\logs\\trip_001.events.csv";
}

void tst_uMeasurementLog::eventsRecordNames()
{
    QFETCH(QString, log);
    QFETCH(QString, events);
    QCOMPARE(EventsRecordNameFor(log), events);
}

void tst_uMeasurementLog::columnLine_data()
{
    QTest::addColumn<bool>("unit2");
    QTest::addColumn<bool>("unit3");
    QTest::addColumn<QString>("blocks");
    QTest::newRow("unit 1") << false << false << "1";
    QTest::newRow("units 1, 2") << true << false << "12";
    QTest::newRow("units 1, 3") << false << true << "13";
    QTest::newRow("all") << true << true << "123";
}

void tst_uMeasurementLog::columnLine()
{
    QFETCH(bool, unit2);
    QFETCH(bool, unit3);
    QFETCH(QString, blocks);
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QStringList head =
        LogHead(QDate(2024, 1, 2), QStringLiteral("2.3"), {unit2, unit3}, polish);
    QCOMPARE(head.size(), 5);
    QCOMPARE(head[0], QStringLiteral("Data wykonania badań;")
                          + polish.toString(QDate(2024, 1, 2), QLocale::ShortFormat));
    QCOMPARE(head[1], QString());
    QCOMPARE(head[2], QStringLiteral("Firmware;2.3"));
    QCOMPARE(head[3], QString());
    QString expected = QStringLiteral("LP;GODZINA;PREDKOSC LINIOWA [km/h];PREDKOSC KATOWA [°/s]");
    for (QChar n : blocks)
        expected +=
            QStringLiteral(";KAT X%1 [°];KAT Y%1 [°];PRZYSP X%1 [g];PRZYSP Y%1 [g];STATUS%1;LTR%1")
                .arg(n);
    QCOMPARE(head[4], expected);
}

void tst_uMeasurementLog::recordLine_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<TLogUnits>("units");
    QTest::addColumn<QString>("line");
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("comma") << polish << TLogUnits{}
                           << "7;03:04:05;1213,71;-1,50;2,25;-0,10;0,02;-0,33;0A;0,500";
    QTest::newRow("point") << english << TLogUnits{}
                           << "7;03:04:05;1213.71;-1.50;2.25;-0.10;0.02;-0.33;0A;0.500";
    QTest::newRow("unit 3 after unit 1")
        << english << TLogUnits{false, true}
        << "7;03:04:05;1213.71;-1.50;2.25;-0.10;0.02;-0.33;0A;0.500"
           ";-30.00;30.00;0.00;0.00;FF;-1.000";
}

void tst_uMeasurementLog::recordLine()
{
    QFETCH(QLocale, locale);
    QFETCH(TLogUnits, units);
    QFETCH(QString, line);
    TAcquisitionState state;
    state.Chassis.VehicleSpeed = 1213.71;
    TSensorSample &unit = state.Sensors[1];
    unit.AngularVelocity = -1.5;
    unit.TiltX = 2.25;
    unit.TiltY = -0.1;
    unit.AccX = 0.02;
    unit.AccY = -0.33;
    unit.Status = 10;
    unit.LTR = 0.5;
    state.Sensors[3] = TSensorSample{30, -30, 0, 0, 0, 0, -1, 0xFF, 0, 0, {}};
    const QString result = LogRecordLine(7, QStringLiteral("03:04:05"), state, units, locale);
    QCOMPARE(result, line);
    QCOMPARE(result.count(QLatin1Char(';')), units.Unit3 ? 15 : 9);
}

void tst_uMeasurementLog::timeCarriesNoZone()
{
    const QTime time(3, 4, 5);
    QCOMPARE(LogTime(time, QLocale(QLocale::Polish, QLocale::Poland)), QStringLiteral("03:04:05"));
    const QString english = LogTime(time, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(english.startsWith(QStringLiteral("3:04:05")) && !english.endsWith(QLatin1Char(' ')),
             qPrintable(english));
    QVERIFY(!english.contains(QStringLiteral("UTC")) && !english.contains(QStringLiteral("GMT")));
}

void tst_uMeasurementLog::windows1250AndCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    TMeasurementLog log;
    QString error;
    QVERIFY(log.Open(path, {QStringLiteral("ń"), QStringLiteral("°")}, &error));
    log.Append(QStringLiteral("1;x"));
    QVERIFY(log.Close(&error));
    QCOMPARE(Contents(path), QByteArray("\xF1\r\n\xB0\r\n"
                                        "1;x\r\n"));
}

void tst_uMeasurementLog::anExistingFileGetsNoSecondHead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    QString error;
    for (int run = 0; run < 2; ++run) {
        TMeasurementLog log;
        QVERIFY(log.Open(path, {QStringLiteral("head")}, &error));
        log.Append(QStringLiteral("record %1").arg(run));
    }
    QCOMPARE(Contents(path), QByteArray("head\r\nrecord 0\r\nrecord 1\r\n"));
}

void tst_uMeasurementLog::anAppendedPartStartsOnANewLine_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray crLf("\r\n"), lf("\n");
    QTest::newRow("whole lines") << crLf << QByteArray("h\r\n1;x\r\n")
                                 << QByteArray("h\r\n1;x\r\n2\r\n");
    QTest::newRow("cut record") << crLf << QByteArray("h\r\n1;16:45:54;-0,0")
                                << QByteArray("h\r\n1;16:45:54;-0,0\r\n2\r\n");
    QTest::newRow("cut between CR and LF")
        << crLf << QByteArray("h\r\n1;x\r") << QByteArray("h\r\n1;x\r\n2\r\n");
    QTest::newRow("empty") << crLf << QByteArray() << QByteArray("2\r\n");
    QTest::newRow("trace, whole lines")
        << lf << QByteArray("(1.0) can0 1#\n") << QByteArray("(1.0) can0 1#\n2\n");
    QTest::newRow("trace, cut line")
        << lf << QByteArray("(1.0) can0 1#01\r") << QByteArray("(1.0) can0 1#01\r\n2\n");
}

void tst_uMeasurementLog::anAppendedPartStartsOnANewLine()
{
    QFETCH(QByteArray, lineEnd);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(before);
    file.close();
    TMeasurementLog log(lineEnd);
    QString error;
    QVERIFY(log.Open(path, {QStringLiteral("head")}, &error));
    log.AppendBytes("2");
    QVERIFY(log.Close(&error));
    QCOMPARE(Contents(path), after);
}

void tst_uMeasurementLog::recordsReachTheFileAtTheFlush()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    TMeasurementLog log;
    QString error;
    QVERIFY(log.Open(path, {QStringLiteral("head")}, &error));
    log.Append(QStringLiteral("1"));
    QCOMPARE(Contents(path), QByteArray("head\r\n"));  // the head is on disk at once
    QVERIFY(log.Flush(0, &error));
    QTRY_COMPARE(Contents(path), QByteArray("head\r\n1\r\n"));  // by the writer's thread

    QVERIFY(!log.Open(dir.filePath(QStringLiteral("no/such/folder/log.csv")), {}, &error));
    QVERIFY(!error.isEmpty());
}

void tst_uMeasurementLog::aFullDiskIsReportedAtTheFlush()
{
    TMeasurementLog log;
    QString error;
    const QString full = QStringLiteral("full.csv");
    const QString said =
        QStringLiteral("Cannot write the log file full.csv: No space left on device");
    QVERIFY(
        !log.OpenOn(std::make_unique<TFullDisk>(), full, true, {QStringLiteral("head")}, &error));
    QCOMPARE(error, said);
    QVERIFY(!log.IsOpen());

    QVERIFY(log.OpenOn(std::make_unique<TFullDisk>(), full, false, {}, &error));
    log.Append(QStringLiteral("1"));  // never fails itself
    QTRY_VERIFY(!log.Flush(0, &error));
    QCOMPARE(error, said);
    QVERIFY(!log.Close(&error));
    QVERIFY(!log.IsOpen());
}

// A disk that is slow to take records must not make them pile up in memory: past 1 MiB they
// are written at once; on a full disk they are dropped, and the next flush says why.
void tst_uMeasurementLog::aMebibyteWaitingGoesToTheFileAtOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    TMeasurementLog log;
    QString error;
    QVERIFY(log.Open(path, {QStringLiteral("head")}, &error));
    const QString record(99, QLatin1Char('x'));  // 101 bytes with the line end
    const int fit = (1 << 20) / 101;
    for (int i = 0; i < fit; ++i)
        log.Append(record);
    QCOMPARE(QFileInfo(path).size(), 6);  // still waiting for the flush
    log.Append(record);
    QTRY_COMPARE(QFileInfo(path).size(), 6 + (fit + 1) * 101);
    log.Append(record);
    QTest::qWait(50);
    QCOMPARE(QFileInfo(path).size(), 6 + (fit + 1) * 101);  // the count starts again
    QVERIFY(log.Flush(0, &error));
    QTRY_COMPARE(QFileInfo(path).size(), 6 + (fit + 2) * 101);

    TMeasurementLog full;
    QVERIFY(
        full.OpenOn(std::make_unique<TFullDisk>(), QStringLiteral("full.csv"), false, {}, &error));
    for (int i = 0; i < 3 * fit; ++i)
        full.Append(record);
    QTRY_VERIFY(!full.Flush(0, &error));
    QCOMPARE(error, QStringLiteral("Cannot write the log file full.csv: No space left on device"));
}

// /dev/null takes every write but cannot be forced to a disk, so each force shows as a
// failure.
void tst_uMeasurementLog::theFileIsForcedToTheDiskEverySecondAndAtTheClose()
{
#ifdef Q_OS_UNIX
    const QString said =
        QStringLiteral("Cannot save the log file /dev/null to the disk: Invalid argument");
    TMeasurementLog log;
    QString error;
    QVERIFY(log.Open(QStringLiteral("/dev/null"), {}, &error));
    QVERIFY(log.Flush(5000, &error));  // starts the second
    // Nothing written: nothing to force, however long it waits.
    QVERIFY(log.Flush(9000, &error));
    log.Append(QStringLiteral("1"));
    QVERIFY(log.Flush(9999, &error));  // the force is asked for, off this thread
    QTRY_VERIFY(!log.Flush(9999, &error));
    QCOMPARE(error, said);
    log.Close(&error);

    QVERIFY(log.Open(QStringLiteral("/dev/null"), {}, &error));
    QVERIFY(log.Flush(5000, &error));
    log.Append(QStringLiteral("1"));
    QVERIFY(log.Flush(5999, &error));
    QTest::qWait(50);
    QVERIFY(log.Flush(5999, &error));  // not within the second

    log.Append(QStringLiteral("2"));
    error.clear();
    QVERIFY(!log.Close(&error));
    QCOMPARE(error, said);
    QVERIFY(!log.IsOpen());
#else
    QSKIP("needs /dev/null");
#endif
}

// A medium that takes seconds to sync must stall neither the ticks that flush nor the writing
// of the records after it; Stop waits until all is on the disk.
void tst_uMeasurementLog::aSyncThatHangsHoldsUpNoFlushAndNoRecord()
{
#ifdef Q_OS_LINUX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    ForcesEntered = 0;
    ForcesHeld = true;
    const auto release = qScopeGuard([] { ForcesHeld = false; });
    TMeasurementLog log;
    QString error;
    QVERIFY(log.Open(path, {QStringLiteral("head")}, &error));
    QVERIFY(log.Flush(0, &error));
    log.Append(QStringLiteral("1"));
    QVERIFY(log.Flush(1000, &error));
    QTRY_COMPARE(ForcesEntered.load(), 1);  // the force hangs
    for (int tick = 1; tick <= 20; ++tick) {
        log.Append(QString::number(tick + 1));
        QVERIFY(log.Flush(1000 + tick * 100, &error));
    }
    QTRY_VERIFY(Contents(path).endsWith("\r\n20\r\n21\r\n"));
    ForcesHeld = false;
    QVERIFY(log.Close(&error));
    QVERIFY(ForcesEntered >= 2);  // the close's own
#else
    QSKIP("the sync is replaced on Linux only");
#endif
}

void tst_uMeasurementLog::aFileGoneFromItsNameIsReported_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"deleted", "folder removed", "deleted and made anew", "renamed"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void tst_uMeasurementLog::aFileGoneFromItsNameIsReported()
{
#ifdef Q_OS_WIN
    QSKIP("Windows does not let an open file go");
#endif
    QFETCH(QString, how);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("logs"));
    const QString path = folder + QStringLiteral("/log.csv");
    QVERIFY(QDir().mkpath(folder));
    TMeasurementLog log;
    QString error;
    QVERIFY(log.Open(path, {QStringLiteral("head")}, &error));
    log.Append(QStringLiteral("1"));
    QVERIFY(log.Flush(0, &error));

    if (how == QLatin1String("folder removed")) {
        QVERIFY(QDir(folder).removeRecursively());
    } else if (how == QLatin1String("renamed")) {
        QVERIFY(QFile::rename(path, path + QStringLiteral(".old")));
    } else {
        QVERIFY(QFile::remove(path));
        if (how == QLatin1String("deleted and made anew")) {
            QFile anew(path);
            QVERIFY(anew.open(QIODevice::WriteOnly));
        }
    }
    log.Append(QStringLiteral("2"));
    const QString said =
        QStringLiteral("The log file %1 is gone: it was deleted, renamed or its folder removed")
            .arg(QDir::toNativeSeparators(path));
    QVERIFY(!log.Flush(0, &error));
    QCOMPARE(error, said);
    error.clear();
    QVERIFY(!log.Close(&error));  // and so does a Stop
    QCOMPARE(error, said);
}

void tst_uMeasurementLog::aNewCurrentFolderDoesNotLoseTheFile()
{
    QTemporaryDir first;
    QTemporaryDir second;
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(first.path()));
    TMeasurementLog log;
    QString error;
    QVERIFY(log.Open(QStringLiteral("log.csv"), {QStringLiteral("head")}, &error));
    QVERIFY(QDir::setCurrent(second.path()));
    log.Append(QStringLiteral("1"));
    const bool flushed = log.Flush(0, &error);
    QDir::setCurrent(started);
    QVERIFY2(flushed, qPrintable(error));
    QVERIFY(log.Close(&error));
    QCOMPARE(Contents(first.filePath(QStringLiteral("log.csv"))), QByteArray("head\r\n1\r\n"));
}

void tst_uMeasurementLog::openFailuresNameTheFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("relative") << "no/such/folder/log.csv";
    QTest::newRow("absolute") << QDir::current().absoluteFilePath(
        QStringLiteral("no/such/folder/log.csv"));
    QTest::newRow("percent signs") << "no/such/folder/100%2 %1.csv";
}

void tst_uMeasurementLog::openFailuresNameTheFile()
{
    QFETCH(QString, path);
    TMeasurementLog log;
    QString error;
    QVERIFY(!log.Open(path, {QStringLiteral("head")}, &error));
    QCOMPARE(error, QStringLiteral("Cannot open the log file ")
                        + QDir::toNativeSeparators(QDir::current().absoluteFilePath(path))
                        + QStringLiteral(": No such file or directory"));
}

void tst_uMeasurementLog::aStartOnAFullDiskRemovesOnlyWhatItCreated_data()
{
    QTest::addColumn<QByteArray>("before");  // empty: no file
    QTest::newRow("new file") << QByteArray();
    QTest::newRow("appended to") << QByteArray("head\r\n1\r\n");
}

void tst_uMeasurementLog::aStartOnAFullDiskRemovesOnlyWhatItCreated()
{
#ifdef Q_OS_UNIX
    QFETCH(QByteArray, before);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.csv"));
    if (!before.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    const QString said = QStringLiteral("Cannot write the log file %1: File too large")
                             .arg(QDir::toNativeSeparators(path));
    TMeasurementLog log;
    QString error;
    {
        TNoRoomForFiles full;
        // An appended log writes nothing until its first records come.
        const bool opened = log.Open(path, {QStringLiteral("head")}, &error);
        QCOMPARE(opened, !before.isEmpty());
        log.Append(QStringLiteral("2"));
        QCOMPARE(log.Close(&error), !opened);
    }
    QCOMPARE(error, said);
    QCOMPARE(QFile::exists(path), !before.isEmpty());
    QCOMPARE(Contents(path), before);
#else
    QSKIP("needs a limit on the size of files");
#endif
}

QTEST_GUILESS_MAIN(tst_uMeasurementLog)
#include "tst_uMeasurementLog.moc"
