#include "app/uRecordOptions.h"
#include "app/uRecorder.h"
#include "log/uLogFormat.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"
#include "support/uFullDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QCanBusFrame ProductionSample =
    ExtendedFrame(0x18FECE47, QByteArray::fromHex("4023282328C8643C"));
// Unit 1 of the test protocol: a sample is a motion frame and then a status frame.
const QCanBusFrame MotionFrame = ExtendedFrame(0x18FEDC10, QByteArray(8, '\0'));
const QCanBusFrame StatusFrame = ExtendedFrame(0x18FEDC11, QByteArray(8, '\0'));

TRecordOptions TestProtocol()
{
    TRecordOptions options;
    options.Units.ProtocolEnv = TProtocolEnv::peTest;
    options.Units.CanId1 = QStringLiteral("18FEDC10");
    options.Units.ChassisCanId.clear();
    return options;
}

// A recorder on the fake adapter and clock, with what it reported written down.
struct TRecording {
    explicit TRecording(TRecordOptions options = {}, TFakeBehaviour behaviour = {})
        : Bus(behaviour), Recorder(Clock, WithBackend(options))
    {
        Recorder.OnMessage = [this](const QString &line) { Messages << line; };
        Recorder.OnFinished = [this](int exitCode) { ExitCodes << exitCode; };
    }

    static TRecordOptions WithBackend(TRecordOptions options)
    {
        options.Backend = QStringLiteral("fake:can0");
        options.Baudrate = 0x011C;
        return options;
    }

    // The unit sends count samples, and the CAN tick takes them 50 ms later.
    void Send(int count) { SendFrames(QList<QCanBusFrame>(count, ProductionSample)); }
    void SendFrames(const QList<QCanBusFrame> &frames)
    {
        if (!frames.isEmpty())  // with none, also while no adapter is there
            Bus.Device()->Inject(frames);
        Clock.Ms += TRecorder::CanTickMs;
        Recorder.TimerCanTimer();
    }

    // Display ticks, 100 ms apart, for the given time.
    void Wait(qint64 ms)
    {
        for (qint64 waited = 0; waited < ms; waited += TRecorder::DisplayTickMs) {
            Clock.Ms += TRecorder::DisplayTickMs;
            Recorder.Timer1Timer();
        }
    }

    TFakeCanBus Bus;
    TFakeClock Clock;
    TRecorder Recorder;
    QStringList Messages;
    QList<int> ExitCodes;
};

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The records of a log file: the lines after its five head lines; none unless every line
// ends in CR LF.
QList<QByteArray> Records(const QString &path)
{
    QList<QByteArray> lines = Contents(path).split('\n');
    if (!lines.takeLast().isEmpty())
        return {};
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r'))
            return {};
        line.chop(1);
    }
    return lines.mid(5);
}

QString Only(const QString &filter)
{
    const QStringList names = QDir().entryList({filter}, QDir::Files);
    return names.size() == 1 ? names.first() : QString();
}

}  // namespace

class tst_uRecorder : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void theLogStartsOnceUnit1IsHeard();
    void everyThirtySecondCountsFromTheStart();
    void stopsAfterTheGivenSeconds();
    void aFailedConnectIsReported();
    void aConnectThatFailsLaterEndsTheRecording();
    void aLostAdapterIsToldAndTheLogGoesOn();
    void aFailingFileEndsTheRecordingWithItsRecordsLost();
    void aLostConnectionEndsTheRecordingWithWholeFiles();
    void neverHeardLeavesNoFiles();
    void theEndSaysWhatTheLogHolds_data();
    void theEndSaysWhatTheLogHolds();
    void bitRates_data();
    void bitRates();
    void options_data();
    void options();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

// Each case starts in an empty folder of the test's own: never the folder it was started in.
void tst_uRecorder::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    QVERIFY(QDir::setCurrent(m_folder->path()));
}

void tst_uRecorder::theLogStartsOnceUnit1IsHeard()
{
    TRecording recording;
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Send(0);
    recording.Send(2);  // heard: the log starts with the first
    recording.Send(3);
    recording.Wait(200);
    recording.Send(1);
    QCOMPARE(recording.Recorder.Session.Log.LogRecordNo, 6);
    recording.Recorder.Finish(0);

    QCOMPARE(recording.ExitCodes, QList<int>{0});
    const QString log = Only("log_001_*[0-9].csv");
    QVERIFY(!log.isEmpty());
    const QString events = QString(log).replace(".csv", ".events.csv");
    QCOMPARE(recording.Messages,
             QStringList({"log: " + log, "raw trace: " + QString(log).replace(".csv", ".log"),
                          "events: " + events}));
    // The events record beside it, timed by the recorder's clock.
    const QByteArray started = LogTime(QTime(2, 1, 40, 100)).toLatin1();
    const QByteArray stopped = LogTime(QTime(2, 1, 40, 400)).toLatin1();
    QCOMPARE(Contents(events), "GODZINA;ZDARZENIE;SZCZEG\xD3\xA3Y\r\n" + started + ";log started;"
                                   + log.toLatin1() + "\r\n" + stopped
                                   + ";log stopped;records: 6\r\n");
    const QList<QByteArray> records = Records(log);
    QCOMPARE(records.size(), 6);
    QVERIFY(records.first().startsWith("1;"));
    QVERIFY(records.last().startsWith("6;"));
    // The trace holds every frame from the first sample's on, each a whole line.
    const QByteArray trace = Contents(Only("log_001_*.log"));
    QCOMPARE(trace.count('\n'), 6);
    QVERIFY(trace.endsWith(" can0 18FECE47#4023282328C8643C R\n"));

    const TRecordCounts &counts = recording.Recorder.Counts();
    QCOMPARE(counts.Samples, 6);
    QCOMPARE(counts.Records, 6);
    QCOMPARE(counts.NotWritten, 0);
    QCOMPARE(counts.Frames, 6);
    QVERIFY(!TPCANBasic::Device());  // the channel is closed
}

void tst_uRecorder::everyThirtySecondCountsFromTheStart()
{
    TRecordOptions options;
    options.Units.EveryThirtySecond = true;
    TRecording recording(options);
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Send(5);
    recording.Send(26);
    QCOMPARE(recording.Recorder.Session.Log.LogRecordNo, 0);
    recording.Send(1);
    QCOMPARE(recording.Recorder.Session.Log.LogRecordNo, 1);  // the drive's 32nd sample
    recording.Send(33);
    recording.Recorder.Finish(0);
    QCOMPARE(Records(Only("log_001_*[0-9].csv")).size(), 2);  // samples 32 and 64
    QCOMPARE(recording.Recorder.Counts().Samples, 65);
}

void tst_uRecorder::stopsAfterTheGivenSeconds()
{
    TRecordOptions options;
    options.Seconds = 2;
    TRecording recording(options);
    QList<qint64> records, framesPerSecond;
    recording.Recorder.OnProgress = [&](const TRecordCounts &counts, double perSecond) {
        records << counts.Records;
        framesPerSecond << qRound(perSecond);
    };
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Send(1);
    for (int tick = 0; tick < 19; ++tick) {  // 100 ms each
        recording.Send(5);
        recording.Clock.Ms += 50;
        recording.Recorder.Timer1Timer();
    }
    QVERIFY(!recording.Recorder.Finished());
    recording.Wait(100);
    QVERIFY(recording.Recorder.Finished());
    QCOMPARE(recording.ExitCodes, QList<int>{0});
    QCOMPARE(Records(Only("log_001_*[0-9].csv")).size(), 96);
    QVERIFY(Contents(Only("log_001_*.log")).endsWith("R\n"));
    // Once a second: the records the writer has written by then, of 51 and 96 handed over, and
    // the frames per second since the last report (51 in the first 1050 ms, 45 in the next).
    QCOMPARE(records.size(), 2);
    QVERIFY(records[0] <= 51 && records[0] <= records[1] && records[1] <= 96);
    QCOMPARE(framesPerSecond, QList<qint64>({49, 45}));
    QCOMPARE(recording.Recorder.Counts().Records, 96);
}

void tst_uRecorder::aFailedConnectIsReported()
{
    TFakeBehaviour unplugged;
    unplugged.openFails = true;
    TRecording recording({}, unplugged);
    QString error;
    QVERIFY(!recording.Recorder.Start(&error));
    QCOMPARE(error, "cannot open the CAN channel fake:can0: adapter not plugged in");
}

void tst_uRecorder::aConnectThatFailsLaterEndsTheRecording()
{
    TRecording recording({}, {.connectsLater = true});
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Bus.Device()->FailConnecting();
    QTest::ignoreMessage(QtWarningMsg,
                         "CAN channel could not be opened: no answer from the bus server");
    recording.Send(0);
    QVERIFY(recording.Recorder.Finished());
    QCOMPARE(recording.ExitCodes, QList<int>{1});
    QCOMPARE(recording.Messages.first(),
             "cannot open the CAN channel fake:can0: no answer from the bus server");
}

void tst_uRecorder::aLostAdapterIsToldAndTheLogGoesOn()
{
    TRecording recording;
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Send(2);  // heard: the log starts with the first
    recording.Send(2);
    recording.Bus.Device()->Die();
    recording.Send(0);
    for (int tick = 0; tick < 10; ++tick)  // the first try comes 0.5 s later
        recording.Send(0);
    recording.Send(3);
    recording.Recorder.Finish(0);
    QCOMPARE(recording.ExitCodes, QList<int>{0});
    QVERIFY(recording.Messages.contains("adapter lost: adapter unplugged"));
    QVERIFY(recording.Messages.contains("adapter restored: after 0.5 s"));
    QCOMPARE(Records(Only("log_001_*[0-9].csv")).size(), 7);
    const QByteArray events = Contents(Only("log_001_*.events.csv"));
    QVERIFY(events.contains(";adapter lost;adapter unplugged\r\n"));
    QVERIFY(events.contains(";adapter restored;after 0.5 s\r\n"));
}

void tst_uRecorder::aFailingFileEndsTheRecordingWithItsRecordsLost()
{
    TRecording recording;
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Send(1);
    recording.Send(3);
    QTRY_COMPARE((recording.Send(0), recording.Recorder.Counts().Records), 4);  // written
    QVERIFY(recording.Recorder.Session.Log.File().OpenOn(std::make_unique<TFullDisk>(), "full.csv",
                                                         false, {}, &error));
    recording.Send(2);
    // The writer's failure is found at a tick after it.
    QTRY_VERIFY((recording.Send(0), recording.Recorder.Finished()));
    QCOMPARE(recording.ExitCodes, QList<int>{1});
    QVERIFY2(recording.Messages.last().contains("No space left on device"),
             qPrintable(recording.Messages.last()));
    const TRecordCounts &counts = recording.Recorder.Counts();
    QCOMPARE(counts.Records, 4);
    QCOMPARE(counts.NotWritten, 2);
    QCOMPARE(counts.Samples, 6);
}

void tst_uRecorder::aLostConnectionEndsTheRecordingWithWholeFiles()
{
    TRecording recording;
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Send(1);
    recording.Send(2);
    recording.Wait(15900);
    QVERIFY(!recording.Recorder.Finished());  // 15 whole seconds are no loss yet
    recording.Wait(100);
    QVERIFY(recording.Recorder.Finished());
    QCOMPARE(recording.ExitCodes, QList<int>{1});
    QCOMPARE(recording.Messages.last(), "connection lost: no sample of unit 1 for more than 15 s");
    QCOMPARE(Records(Only("log_001_*[0-9].csv")).size(), 3);
    QVERIFY(!recording.Recorder.Session.Log.LogActive());
}

void tst_uRecorder::neverHeardLeavesNoFiles()
{
    TRecording recording;
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    recording.Wait(20000);
    recording.Recorder.Finish(0);
    QCOMPARE(recording.ExitCodes, QList<int>{0});
    QCOMPARE(recording.Messages, QStringList{"no log: unit 1 (18FECE47) was not heard"});
    QVERIFY(QDir().entryList(QDir::Files).isEmpty());
}

// The end tells what the log holds and what was heard, and why they differ; without a log,
// why there is none, never contradicting what was said before.
void tst_uRecorder::theEndSaysWhatTheLogHolds_data()
{
    QTest::addColumn<bool>("testProtocol");
    QTest::addColumn<QList<QCanBusFrame>>("frames");  // unit 1's, sent three times
    QTest::addColumn<bool>("folderGone");             // the log's folder taken away
    QTest::addColumn<QString>("lastSaid");
    QTest::addColumn<QString>("summary");  // without the supervision's line
    const QList<QCanBusFrame> whole{MotionFrame, StatusFrame};
    QTest::newRow("a sample without its status frame")
        << true << whole + QList<QCanBusFrame>{MotionFrame} << false << "events: "
        << "recorded: 3 samples of unit 1, 3 records written, 0 not written, 9 frames read\n"
           "not in the log: 3 of unit 1's samples on the bus; the log holds only complete "
           "samples, from the first until it closed";
    QTest::newRow("no complete sample") << true << QList<QCanBusFrame>{MotionFrame} << false
                                        << "no log: unit 1 (18FEDC10) sent no complete sample"
                                        << "recorded: no log, 3 frames read";
    QTest::newRow("the log cannot be opened")
        << false << QList<QCanBusFrame>{ProductionSample} << true << "Cannot open the log file "
        << "recorded: no log, 3 frames read";
}

void tst_uRecorder::theEndSaysWhatTheLogHolds()
{
    QFETCH(bool, testProtocol);
    QFETCH(QList<QCanBusFrame>, frames);
    QFETCH(bool, folderGone);
    QFETCH(QString, lastSaid);
    QFETCH(QString, summary);
    TRecordOptions options = testProtocol ? TestProtocol() : TRecordOptions();
    options.Base = "logs/run.csv";
    TRecording recording(options);
    QString error;
    QVERIFY(recording.Recorder.Start(&error));
    QCOMPARE(recording.Messages, QStringList{"made the folder logs/ for the log"});
    if (folderGone)
        QVERIFY(QDir("logs").removeRecursively());
    recording.SendFrames(frames + frames + frames);
    recording.Recorder.Finish(0);
    QVERIFY2(recording.Messages.last().startsWith(lastSaid), qPrintable(recording.Messages.last()));
    QCOMPARE(recording.Messages.filter("no log").size(), lastSaid.startsWith("no log") ? 1 : 0);
    QStringList lines = recording.Recorder.Summary().split('\n');
    QVERIFY(lines.takeAt(1).startsWith("on the bus: unit 1: "));
    QCOMPARE(lines.join('\n'), summary + '\n');
}

void tst_uRecorder::bitRates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("kbit/s") << "250" << 0x011C;
    QTest::newRow("bit/s") << "250000" << 0x011C;
    QTest::newRow("1 Mbit/s in kbit/s") << "1000" << 0x0014;
    QTest::newRow("5 kbit/s in bit/s") << "5000" << 0x7F7F;
    QTest::newRow("decimal point") << "95.238" << 0xC34E;
    QTest::newRow("decimal comma") << "95,238" << 0xC34E;
    QTest::newRow("odd rate in bit/s") << "47619" << 0x1414;
    QTest::newRow("rounded odd rate") << "95" << 0;
    QTest::newRow("a fraction of a bit") << "95.2385" << 0;
    QTest::newRow("not offered") << "300" << 0;
    QTest::newRow("above 1 Mbit/s") << "2000000" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-250" << 0;
    QTest::newRow("text") << "fast" << 0;
}

void tst_uRecorder::bitRates()
{
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(int(BaudrateOfText(text)), code);
}

void tst_uRecorder::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("read");  // base/bitrate code/seconds, or the error
    QTest::newRow("the defaults") << QStringList{"--can=sim"} << "log.csv/11c/-";
    QTest::newRow("all") << QStringList{"--can=virtualcan:can0", "-o", "x/trip.csv",
                                        "--bitrate=500", "--seconds=60"}
                         << "x/trip.csv/1c/60";
    QTest::newRow("no backend") << QStringList{} << "--can=BACKEND is required";
    QTest::newRow("bad backend") << QStringList{"--can=peakcan"}
                                 << "--can=peakcan: PLUGIN:INTERFACE or sim";
    QTest::newRow("no seconds") << QStringList{"--can=sim", "--seconds=0"}
                                << "--seconds=0: a whole number of seconds, 1 or more";
    QTest::newRow("empty base") << QStringList{"--can=sim", "-o", ""} << "-o needs a base name";
    QTest::newRow("a stray argument")
        << QStringList{"--can=sim", "trace.log"} << "unexpected argument 'trace.log'";
    QTest::newRow("a replay") << QStringList{"--can=replay:drive.log"}
                              << "--can=replay:drive.log: record takes a live adapter or sim; "
                                 "to turn a trace into a log use telqar-logger convert";
    QTest::newRow("unit options are read too")
        << QStringList{"--can=sim", "--every=2"} << "--every=2: 1 or 32";
}

void tst_uRecorder::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, read);
    QCommandLineParser parser;
    AddRecordOptions(parser);
    QVERIFY(parser.parse(QStringList{"telqar-logger"} + arguments));
    TRecordOptions options;
    QString error;
    if (!ReadRecordOptions(parser, &options, &error)) {
        QCOMPARE(error, read);
        return;
    }
    QCOMPARE(QStringLiteral("%1/%2/%3")
                 .arg(options.Base)
                 .arg(options.Baudrate, 0, 16)
                 .arg(options.Seconds ? QString::number(*options.Seconds) : "-"),
             read);
}

QTEST_GUILESS_MAIN(tst_uRecorder)
#include "tst_uRecorder.moc"
