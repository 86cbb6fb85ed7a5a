// The options that make the simulated unit drop samples read alike wherever they are given:
// the window's command line, the record command and tools/telqar-sim.

#include "app/uCommandLine.h"
#include "app/uRecordOptions.h"

#include <QtTest>

namespace {

QString Text(const TSimulatedDrops &drops)
{
    return QStringLiteral("%1/%2/%3").arg(drops.Every).arg(drops.BurstAt).arg(drops.BurstCount);
}

}  // namespace

class tst_DropOptions : public QObject
{
    Q_OBJECT
private slots:
    void options_data();
    void options();
};

void tst_DropOptions::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("read");  // every/burst at/burst count, or the error
    QTest::newRow("none") << QStringList{"--can=sim"} << "0/0/0";
    QTest::newRow("every 10th") << QStringList{"--can=sim", "--drop-every=10"} << "10/0/0";
    QTest::newRow("burst") << QStringList{"--can=sim", "--drop-burst=500:7"} << "0/500/7";
    QTest::newRow("both, before --can")
        << QStringList{"--drop-every=3", "--drop-burst=1:2", "--can=sim"} << "3/1/2";
    const QString every = QStringLiteral("--drop-every=%1: a whole number of samples, 1 or more");
    QTest::newRow("every 0") << QStringList{"--can=sim", "--drop-every=0"} << every.arg("0");
    QTest::newRow("every -5") << QStringList{"--can=sim", "--drop-every=-5"} << every.arg("-5");
    QTest::newRow("every ten") << QStringList{"--can=sim", "--drop-every=ten"} << every.arg("ten");
    QTest::newRow("every beyond int")
        << QStringList{"--can=sim", "--drop-every=4294967296"} << every.arg("4294967296");
    QTest::newRow("every empty") << QStringList{"--can=sim", "--drop-every="} << every.arg("");
    const QString burst = QStringLiteral("--drop-burst=%1: AT:COUNT, the first sample dropped "
                                         "(counting from 1) and how many in a row");
    QTest::newRow("burst without count")
        << QStringList{"--can=sim", "--drop-burst=5"} << burst.arg("5");
    QTest::newRow("burst at 0") << QStringList{"--can=sim", "--drop-burst=0:3"} << burst.arg("0:3");
    QTest::newRow("burst of 0") << QStringList{"--can=sim", "--drop-burst=3:0"} << burst.arg("3:0");
    QTest::newRow("burst in three parts")
        << QStringList{"--can=sim", "--drop-burst=1:2:3"} << burst.arg("1:2:3");
    QTest::newRow("not simulated") << QStringList{"--can=virtualcan:can0", "--drop-every=10"}
                                   << "--drop-every and --drop-burst need --can=sim";
}

void tst_DropOptions::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, read);

    const TCommandLine window = ParseCommandLine(arguments);
    QVERIFY(window.Problems.isEmpty());
    QCOMPARE(window.Error.isEmpty() ? Text(window.Drops) : window.Error, read);

    QCommandLineParser parser;
    AddRecordOptions(parser);
    QVERIFY(parser.parse(QStringList{"telqar-logger"} + arguments));
    TRecordOptions record;
    QString error;
    QCOMPARE(ReadRecordOptions(parser, &record, &error) ? Text(record.Drops) : error, read);

    // The simulator on its own bus refuses the same values with the same words; it would run
    // with good ones.
    if (read.contains(QLatin1Char('/')) || !arguments.contains(QStringLiteral("--can=sim")))
        return;
    QProcess simulator;
    simulator.start(QStringLiteral(TELQAR_SIM_PATH), arguments.mid(1));
    QVERIFY(simulator.waitForFinished(10000));
    QCOMPARE(simulator.exitCode(), 2);
    QCOMPARE(QString::fromUtf8(simulator.readAllStandardError()),
             QStringLiteral("telqar-sim: %1\n").arg(read));
}

QTEST_GUILESS_MAIN(tst_DropOptions)
#include "tst_DropOptions.moc"
