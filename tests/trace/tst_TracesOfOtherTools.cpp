// Traces as other CAN tools write them: python-can writes the same frames as a candump log,
// a Vector ASC trace and a PCAN-View trace, and can-utils converts between candump and ASC.
// Debian's python3-can and can-utils must be installed; without them the test fails.

#include "app/uConvertCommand.h"
#include "base/uClock.h"
#include "trace/uTraceReader.h"

#include "support/uTraceRows.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Python = QStringLiteral("/usr/bin/python3");

// 30 s of a drive at 100 samples a second in the protocol of argv[2], with the frames the
// program sends, a remote frame (without length: python-can's candump writer leaves it out),
// an error frame and a CAN FD frame, written by python-can to
// drive.log, drive.asc and drive.trc in the folder argv[1]. Times are on whole milliseconds
// after a start at a quarter second.
const char *WriteDrive = R"(
import can, random, sys
folder, protocol = sys.argv[1], sys.argv[2]
random.seed(12)
start = 1733656400.25
messages = []
def add(ms, ident, data, rx=True, **more):
    messages.append(can.Message(timestamp=start + ms / 1000.0, arbitration_id=ident,
                                is_extended_id=True, data=bytes(data), is_rx=rx, **more))
def noise(count):
    return [random.randrange(256) for _ in range(count)]
for i in range(3000):
    ms = i * 10
    if protocol == 'production':
        if i % 10 == 0:
            add(ms, 0x18FECF10, noise(2) + [0] * 6)
        add(ms + 1, 0x18FECE47, noise(8))
        if i % 50 == 0:
            add(ms + 2, 0x18FECF10, [0, 0x1E, 0, 0, 0, 0, 0, 0], rx=False)
    else:
        for unit, base in enumerate((0x18FEDC10, 0x18FEDC20, 0x18FEDC30)):
            add(ms + 2 * unit, base, noise(8))
            add(ms + 2 * unit + 1, base + 1, noise(4) + [23] + noise(3))
        if i % 100 == 0:
            add(ms + 7, 0x18FAFD25, [1], rx=False)
add(5, 0x123, [], is_remote_frame=True, dlc=0)
add(15, 0x123, [], is_error_frame=True)
add(25, 0x123, bytes(12), is_fd=True)
messages.sort(key=lambda m: m.timestamp)
for name in ('drive.log', 'drive.asc', 'drive.trc'):
    with can.Logger(folder + '/' + name) as writer:
        for message in messages:
            writer.on_message_received(message)
)";

// Runs a program; its standard error on failure.
bool RunTool(const QString &program, const QStringList &arguments, QString *failure)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        *failure = program + u' ' + arguments.join(u' ') + QStringLiteral(": ")
                   + process.errorString() + u'\n'
                   + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    return true;
}

QList<TTraceFrame> FramesOf(const QString &path)
{
    TTraceReader reader;
    QString error;
    if (!reader.Open(path, &error))
        qWarning("%s", qPrintable(error));
    QList<TTraceFrame> frames;
    TTraceFrame frame;
    while (reader.Next(frame))
        frames << frame;
    if (reader.DamagedCount() > 0)
        qWarning("%s: %lld damaged lines", qPrintable(path), reader.DamagedCount());
    return frames;
}

// The frames with their times counted from the first frame's.
QList<TTraceFrame> FromFirst(QList<TTraceFrame> frames)
{
    const qint64 first = frames.isEmpty() ? 0 : frames.first().TimeUs;
    for (TTraceFrame &frame : frames)
        frame.TimeUs -= first;
    return frames;
}

QByteArray Content(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class tst_TracesOfOtherTools : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        UsePolishTime();  // python-can and can-utils write local times too
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QString failure;
        QVERIFY2(RunTool(Python, {QStringLiteral("-c"), QStringLiteral("import can")}, &failure),
                 qPrintable(QStringLiteral("python3-can is needed: ") + failure));
        for (const char *tool : {"log2asc", "asc2log"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     qPrintable(QStringLiteral("can-utils is needed: no %1").arg(tool)));
    }

    // The same frames, whichever format python-can wrote them in, make the same CSV.
    void sameFramesSameLog_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<QStringList>("unitOptions");
        QTest::newRow("production") << "production" << QStringList{};
        QTest::newRow("test, three units")
            << "test" << QStringList{"--protocol=test", "--id2=18FEDC20", "--id3=18FEDC30"};
    }

    void sameFramesSameLog()
    {
        QFETCH(QString, protocol);
        QFETCH(QStringList, unitOptions);
        QTemporaryDir folder;
        QString failure;
        QVERIFY2(
            RunTool(Python,
                    {QStringLiteral("-c"), QString::fromUtf8(WriteDrive), folder.path(), protocol},
                    &failure),
            qPrintable(failure));
        // python-can 4.1 puts the time of writing, badly formed, where the start belongs.
        const QString trc = folder.filePath(QStringLiteral("drive.trc"));
        QByteArray head = Content(trc);
        const qsizetype start = head.indexOf(";$STARTTIME=");
        QVERIFY(start >= 0);
        const double days =
            DateTimeToDays(QDateTime::fromMSecsSinceEpoch(Q_INT64_C(1733656400250)));
        head.replace(start, head.indexOf('\r', start) - start,
                     ";$STARTTIME=" + QByteArray::number(days, 'f', 10));
        QFile file(trc);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(head) == head.size());
        file.close();

        QByteArrayList logs;
        for (const char *format : {"log", "asc", "trc"}) {
            const QString trace = folder.filePath(QStringLiteral("drive.") + QLatin1String(format));
            const QString csv = trace + QStringLiteral(".csv");
            QString out, err;
            QTextStream outStream(&out), errStream(&err);
            const int exit =
                RunConvertCommand(QStringList{trace, QStringLiteral("-o"), csv} + unitOptions,
                                  {outStream, errStream, false});
            QVERIFY2(exit == ExitCode::Done, qPrintable(QLatin1String(format) + u' ' + err));
            logs << Content(csv);
        }
        QCOMPARE(logs[0].count('\n'), 5 + 3000);
        QVERIFY(logs[0].contains(protocol == QLatin1String("test") ? "\r\nFirmware;2.3\r\n"
                                                                   : "\r\nFirmware;\r\n"));
        QVERIFY(logs[0].contains("\r\n1;12:13:20;"));  // the start's local time
        QCOMPARE(logs[1], logs[0]);
        QCOMPARE(logs[2], logs[0]);
    }

    // can-utils' log2asc and asc2log: the frames come back, their times counted from the
    // first frame. log2asc dates the trace by the first frame's whole second; asc2log reads
    // the date only with a German or English locale installed and takes the current time
    // otherwise.
    void canUtilsRoundTrip()
    {
        QTemporaryDir folder;
        QString failure;
        QVERIFY2(RunTool(Python,
                         {QStringLiteral("-c"), QString::fromUtf8(WriteDrive), folder.path(),
                          QStringLiteral("production")},
                         &failure),
                 qPrintable(failure));
        const QString log = folder.filePath(QStringLiteral("drive.log"));
        const QString logToAsc = folder.filePath(QStringLiteral("log2asc.asc"));
        QVERIFY2(RunTool(QStringLiteral("log2asc"),
                         {QStringLiteral("-I"), log, QStringLiteral("-O"), logToAsc,
                          QStringLiteral("vcan0")},
                         &failure),
                 qPrintable(failure));
        const QList<TTraceFrame> original = FramesOf(log);
        QCOMPARE(original.size(), 3000 + 300 + 60 + 1);  // unit, chassis, sent, remote
        QList<TTraceFrame> shifted = original;
        for (TTraceFrame &frame : shifted)
            frame.TimeUs -= 250000;  // the quarter second log2asc's date leaves out
        QCOMPARE(FramesOf(logToAsc), shifted);

        const QString asc = folder.filePath(QStringLiteral("drive.asc"));
        const QString ascToLog = folder.filePath(QStringLiteral("asc2log.log"));
        QVERIFY2(RunTool(QStringLiteral("asc2log"),
                         {QStringLiteral("-I"), asc, QStringLiteral("-O"), ascToLog}, &failure),
                 qPrintable(failure));
        const QList<TTraceFrame> fromAsc = FramesOf(asc);
        QCOMPARE(fromAsc, original);
        QCOMPARE(FromFirst(FramesOf(ascToLog)), FromFirst(fromAsc));
    }
};

QTEST_GUILESS_MAIN(tst_TracesOfOtherTools)
#include "tst_TracesOfOtherTools.moc"
