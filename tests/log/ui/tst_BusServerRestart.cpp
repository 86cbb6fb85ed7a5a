// The virtual bus server ends while the window logs, and comes back: the window shows the
// loss at once, reconnects by itself and logs on into the same file, with every record
// before and after whole and numbered once.

#include "acquisition/ui/uHealthLine.h"
#include "adapter/PCANBasic.h"
#include "adapter/ui/uCanBusBox.h"
#include "app/uCommandLine.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "log/ui/uLogBox.h"
#include "session/uCanBackend.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The simulated unit as a program of its own; the first one on a port hosts the bus.
class TSimulator
{
public:
    explicit TSimulator(const QString &bus) : m_bus(bus) { Start(); }
    ~TSimulator() { Kill(); }

    void Start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(TELQAR_SIM_PATH), {QStringLiteral("--can=") + m_bus});
        QVERIFY(m_process.waitForStarted());
    }
    void Kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    const QString m_bus;
    QProcess m_process;
};

}  // namespace

class tst_BusServerRestart : public QObject
{
    Q_OBJECT
private slots:
    void theLogGoesOnInTheSameFile();
};

void tst_BusServerRestart::theLogGoesOnInTheSameFile()
{
    QTcpServer probe;  // a port of the test's own, not a user's bus
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const QString bus =
        QStringLiteral("virtualcan:tcp://127.0.0.1:%1/can0").arg(probe.serverPort());
    probe.close();

    TSimulator simulator(bus);
    QTest::qWait(500);  // the simulator hosts the bus
    TCanBackend backend;
    QVERIFY(TCanBackend::Parse(bus, backend));
    TPCANBasic::SetDeviceFactory(backend.Factory(), backend.Plugin);
    QTemporaryDir folder;
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &main = *windows.frmMain;
    main.Session().Log.LogFileName = folder.filePath(QStringLiteral("restart.csv"));
    main.btnInitClick();
    QTRY_VERIFY_WITH_TIMEOUT(main.Session().Acquisition.State.SensorOnline, 5000);
    main.Pages().tsLogging->gbSaveLog->btnStartLogClick();
    QVERIFY(main.Session().Log.LogActive());
    const QString logPath = main.Session().Log.FileName();
    const QString eventsPath = main.Session().Log.EventsRecordName();
    QTest::qWait(2500);  // the period is learned

    QElapsedTimer clock;
    clock.start();
    simulator.Kill();
    QTRY_COMPARE_WITH_TIMEOUT(main.Pages().tsLogging->GroupBox4->lCANStatus->text(),
                              QStringLiteral("adapter lost"), 2000);
    const qint64 shownMs = clock.elapsed();
    QTRY_VERIFY(main.Pages().lHealth->text().startsWith("adapter lost"));  // at the display tick
    QVERIFY(main.Session().Log.LogActive());

    QTest::qWait(1500);
    const qint32 recordsBefore = main.Session().Log.LogRecordNo;
    clock.restart();
    simulator.Start();
    QTRY_VERIFY_WITH_TIMEOUT(main.Session().Log.LogRecordNo > recordsBefore, 5000);
    const qint64 loggingMs = clock.elapsed();
    qInfo(
        "from the loss to \"adapter lost\": %lld ms; from the server's return to logging: %lld ms",
        shownMs, loggingMs);

    QTest::qWait(1000);
    QVERIFY(main.Session().Acquisition.Supervision.Unit(1).Lost > 100);  // the outage, ~1.5 s at 100/s
    QTRY_VERIFY(main.Pages().lHealth->text().contains(" lost"));
    main.Pages().tsLogging->gbSaveLog->btnStopLogClick();
    main.btnReleaseClick();
    simulator.Kill();

    QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("restart_*[0-9].csv")}).size(), 1);
    QFile file(logPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines[4].left(3), QByteArray("LP;"));
    int number = 0;
    for (qsizetype i = 5; i < lines.size() - 1; ++i) {
        QVERIFY2(lines[i].endsWith('\r'), lines[i]);
        QCOMPARE(lines[i].split(';').size(), 10);
        QVERIFY2(lines[i].startsWith(QByteArray::number(++number) + ';'), lines[i]);
    }
    QVERIFY(lines.last().isEmpty());
    QVERIFY(number > recordsBefore);

    QFile eventsFile(eventsPath);
    QVERIFY(eventsFile.open(QIODevice::ReadOnly));
    // The virtual bus stamps frames as they arrive, in whole ms: on a busy machine a sample held
    // up by more than half a period may count as lost at other times too, and within the
    // once-a-second limit such a loss shares one entry with the outage ("in 2 gaps").
    QStringList names, details;
    for (const QByteArray &line : eventsFile.readAll().split('\n').mid(1)) {
        const QList<QByteArray> fields = line.split(';');
        if (fields.size() == 3) {
            names << QString::fromLatin1(fields[1]);
            details << QString::fromLatin1(fields[2]);
        }
    }
    QCOMPARE(names.first(), QStringLiteral("log started"));
    QCOMPARE(names.last(), QStringLiteral("log stopped"));
    const qsizetype lostAt = names.indexOf("adapter lost");
    const qsizetype restoredAt = names.indexOf("adapter restored");
    QVERIFY(lostAt > 0 && restoredAt > lostAt);
    static const QRegularExpression outage(
        QStringLiteral("^unit 1: (\\d{3,}) samples (in \\d+ gaps )?from"));
    bool outageCounted = false;
    for (qsizetype i = restoredAt; i < names.size(); ++i)
        outageCounted =
            outageCounted || (names[i] == "samples lost" && outage.match(details[i]).hasMatch());
    QVERIFY2(outageCounted, qPrintable(details.join('\n')));
}

QTEST_MAIN(tst_BusServerRestart)
#include "tst_BusServerRestart.moc"
