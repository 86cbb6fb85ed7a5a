// telqar-logger record as a user runs it: a real process on the built-in simulated unit,
// stopped the ways a user or a service manager stops it.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The one file of a kind in folder, or nothing.
QString Only(const QDir &folder, const QString &filter)
{
    const QStringList names = folder.entryList({filter}, QDir::Files);
    return names.size() == 1 ? folder.filePath(names.first()) : QString();
}

// Lines without their line ends; none unless every line ends with lineEnd.
QList<QByteArray> WholeLines(const QByteArray &text, const QByteArray &lineEnd)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.takeLast().isEmpty())
        return {};
    for (QByteArray &line : lines) {
        if (!(line + '\n').endsWith(lineEnd))
            return {};
        line.chop(lineEnd.size() - 1);
    }
    return lines;
}

// Whether the process has a library loaded whose name holds part.
bool HasLoaded(qint64 pid, const QByteArray &part)
{
    return Contents(QStringLiteral("/proc/%1/maps").arg(pid)).contains(part);
}

// The lines of a log with the time of day (GODZINA) taken out of each record.
QList<QByteArray> WithoutTimeOfDay(const QByteArray &log)
{
    QList<QByteArray> lines = log.split('\n');
    for (qsizetype index = 5; index < lines.size(); ++index) {
        QList<QByteArray> fields = lines[index].split(';');
        if (fields.size() > 1)
            fields.removeAt(1);
        lines[index] = fields.join(';');
    }
    return lines;
}

}  // namespace

class tst_RecordCommand : public QObject
{
    Q_OBJECT
private slots:
    void stopsWithWholeFiles_data();
    void stopsWithWholeFiles();
    void theRawTraceConvertsToTheSameLog();
    void aChannelThatCannotOpenFails();
};

void tst_RecordCommand::stopsWithWholeFiles_data()
{
    QTest::addColumn<int>("signalNumber");  // 0: --seconds ends it
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("--seconds") << 0;
}

void tst_RecordCommand::stopsWithWholeFiles()
{
#ifdef Q_OS_WIN
    QSKIP("signals and /proc are POSIX's");
#endif
    QFETCH(int, signalNumber);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QProcess record;
    record.setWorkingDirectory(folder.path());
    // The README's own line, in a fresh folder: the log's folder is made for it.
    QStringList arguments{"record", "--can=sim", "-o", "logs/drive.csv"};
    if (!signalNumber)
        arguments << "--seconds=2";
    record.start(QStringLiteral(TELQAR_LOGGER_PATH), arguments);
    QVERIFY(record.waitForStarted());
    const qint64 pid = record.processId();

    // Records reach the file within a tick once the simulated unit has been heard.
    const QDir dir(folder.filePath("logs"));
    QTRY_VERIFY_WITH_TIMEOUT(Contents(Only(dir, "drive_001_*[0-9].csv")).count('\n') > 30, 10000);
    QVERIFY(HasLoaded(pid, "libQt6Core"));
    QVERIFY(!HasLoaded(pid, "libX11"));
    QVERIFY(!HasLoaded(pid, "libQt6Gui"));
    if (signalNumber)
        QCOMPARE(::kill(pid, signalNumber), 0);
    QVERIFY(record.waitForFinished(10000));
    QCOMPARE(record.exitStatus(), QProcess::NormalExit);
    QCOMPARE(record.exitCode(), 0);

    const QList<QByteArray> lines = WholeLines(Contents(Only(dir, "drive_001_*[0-9].csv")), "\r\n");
    QVERIFY(lines.size() > 30);
    const QList<QByteArray> records = lines.mid(5);
    for (int number = 1; number <= records.size(); ++number)
        QVERIFY2(records[number - 1].startsWith(QByteArray::number(number) + ';'),
                 records[number - 1]);
    const QList<QByteArray> trace = WholeLines(Contents(Only(dir, "drive_001_*.log")), "\n");
    QVERIFY(trace.size() > records.size());
    static const QRegularExpression candump(
        QStringLiteral(R"(^\(\d{10}\.\d{6}\) can0 [0-9A-F]{8}#[0-9A-F]{16} R$)"));
    for (const QByteArray &line : trace)
        QVERIFY2(candump.match(QString::fromLatin1(line)).hasMatch(), line);
    // A stop by signal, too, leaves the events record whole, with the log's start and stop.
    const QList<QByteArray> events =
        WholeLines(Contents(Only(dir, "drive_001_*.events.csv")), "\r\n");
    QVERIFY(events.size() >= 3);
    QVERIFY(events[1].contains(";log started;drive_001_"));
    QVERIFY2(events.last().endsWith(";log stopped;records: " + QByteArray::number(records.size())),
             events.last());

    // What the log holds and what was heard agree, and the folder was said to be made.
    const QString err = QString::fromLocal8Bit(record.readAllStandardError());
    QVERIFY2(err.startsWith("made the folder logs/ for the log\n"), qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("\nrecorded: %1 samples of unit 1, %1 records written, 0 "
                                         "not written, ")
                              .arg(records.size()))
                 && !err.contains("not in the log"),
             qPrintable(err));
}

// What the log holds can be had again from its raw trace. The time of day may differ by a
// second: the log reads the wall clock for each sample, the trace counts from the wall clock
// at the start on the monotonic clock, and the two may fall on either side of a second.
void tst_RecordCommand::theRawTraceConvertsToTheSameLog()
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    QProcess program;
    program.setWorkingDirectory(folder.path());
    program.start(QStringLiteral(TELQAR_LOGGER_PATH), {"record", "--can=sim", "--seconds=1"});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    const QString log = Only(dir, "log_001_*[0-9].csv");
    QVERIFY(Contents(log).count('\n') > 30);

    program.start(QStringLiteral(TELQAR_LOGGER_PATH),
                  {"convert", Only(dir, "log_001_*.log"), "-o", dir.filePath("converted.csv")});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(WithoutTimeOfDay(Contents(dir.filePath("converted.csv"))),
             WithoutTimeOfDay(Contents(log)));
}

void tst_RecordCommand::aChannelThatCannotOpenFails()
{
    QTemporaryDir folder;
    QProcess record;
    record.setWorkingDirectory(folder.path());
    record.start(QStringLiteral(TELQAR_LOGGER_PATH), {"record", "--can=nosuchplugin:can0"});
    QVERIFY(record.waitForFinished(10000));
    QCOMPARE(record.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(record.readAllStandardError());
    QVERIFY2(err.contains("telqar-logger record: cannot open the CAN channel nosuchplugin:can0: "
                          "Qt has no CAN plugin \"nosuchplugin\": choose an adapter in Settings, "
                          "or with --can= one of sim, peakcan:usb0, socketcan:can0 or "
                          "virtualcan:can0 (No such plugin: 'nosuchplugin')\n"),
             qPrintable(err));
    QVERIFY(QDir(folder.path()).isEmpty());
}

QTEST_GUILESS_MAIN(tst_RecordCommand)
#include "tst_RecordCommand.moc"
