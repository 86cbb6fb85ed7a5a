#include "app/uUnitOptions.h"

#include <QtTest>

namespace {

// The options read from the arguments after a sub-command's name; the error when refused.
bool Read(const QStringList &arguments, TUnitOptions *options, QString *error)
{
    QCommandLineParser parser;
    AddUnitOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("telqar-logger")} + arguments)) {
        *error = parser.errorText();
        return false;
    }
    return ReadUnitOptions(parser, options, error);
}

}  // namespace

class tst_uUnitOptions : public QObject
{
    Q_OBJECT
private slots:
    // What the decoder and the log are given: identifiers unit 1, 2, 3, chassis, joined by
    // "/"; the log's unit-2 and unit-3 columns and its thinning.
    void accepted_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("test");
        QTest::addColumn<QString>("identifiers");
        QTest::addColumn<bool>("unit2");
        QTest::addColumn<bool>("unit3");
        QTest::addColumn<bool>("thinned");
        QTest::newRow("none: the settings' start")
            << QStringList{} << false << "18FECE47///18FECF10" << false << false << false;
        QTest::newRow("production, own identifiers")
            << QStringList{"--protocol=production", "--id1=18fece48", "--chassis", "18FECF11"}
            << false << "18fece48///18FECF11" << false << false << false;
        QTest::newRow("test: the dialog's first identifier, no chassis")
            << QStringList{"--protocol=test"} << true << "18FEDC10///" << false << false << false;
        QTest::newRow("test, three units")
            << QStringList{"--protocol=test", "--id2=18FEDC20", "--id3=18FEDC30"} << true
            << "18FEDC10/18FEDC20/18FEDC30/" << true << true << false;
        QTest::newRow("test, unit 3 without unit 2")
            << QStringList{"--protocol=test", "--id1=100", "--id3=200"} << true << "100//200/"
            << false << true << false;
        QTest::newRow("every 32nd") << QStringList{"--every=32"} << false << "18FECE47///18FECF10"
                                    << false << false << true;
        QTest::newRow("every one") << QStringList{"--every=1"} << false << "18FECE47///18FECF10"
                                   << false << false << false;
    }

    void accepted()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, test);
        QFETCH(QString, identifiers);
        QFETCH(bool, unit2);
        QFETCH(bool, unit3);
        QFETCH(bool, thinned);
        TUnitOptions options;
        QString error;
        QVERIFY2(Read(arguments, &options, &error), qPrintable(error));

        TAcquisitionState state;
        TLogSession log;
        log.EveryThirtySecond = !thinned;
        options.ApplyTo(state, log);
        QCOMPARE(state.ProtocolEnv == TProtocolEnv::peTest, test);
        QCOMPARE(QStringList({state.CanId1, state.CanId2, state.CanId3, state.ChassisCanId})
                     .join(QLatin1Char('/')),
                 identifiers);
        QCOMPARE(log.Units.Unit2, unit2);
        QCOMPARE(log.Units.Unit3, unit3);
        QCOMPARE(log.EveryThirtySecond, thinned);
    }

    // The message names what is wrong.
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown protocol") << QStringList{"--protocol=prod"} << "--protocol=prod";
        QTest::newRow("empty protocol") << QStringList{"--protocol="} << "--protocol=";
        QTest::newRow("prefix") << QStringList{"--id1=0x18FECE47"} << "--id1=0x18FECE47";
        QTest::newRow("33 bits") << QStringList{"--id1=1FFFFFFFF"} << "--id1=1FFFFFFFF";
        QTest::newRow("empty identifier") << QStringList{"--chassis="} << "--chassis=";
        QTest::newRow("bad unit 3") << QStringList{"--protocol=test", "--id3=G1"} << "--id3=G1";
        QTest::newRow("unit 2 in production") << QStringList{"--id2=18FEDC20"} << "--id2";
        QTest::newRow("chassis in test")
            << QStringList{"--protocol=test", "--chassis=18FECF10"} << "--chassis";
        QTest::newRow("chassis on unit 1") << QStringList{"--chassis=18FECE47"} << "differ";
        QTest::newRow("unit 2 on unit 1")
            << QStringList{"--protocol=test", "--id2=18FEDC10"} << "differ";
        QTest::newRow("every 2") << QStringList{"--every=2"} << "--every=2";
        QTest::newRow("no value") << QStringList{"--every"} << "every";
    }

    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        TUnitOptions options;
        options.CanId1 = QStringLiteral("untouched");
        QString error;
        QVERIFY(!Read(arguments, &options, &error));
        QVERIFY2(error.contains(named), qPrintable(error));
        QCOMPARE(options.CanId1, QStringLiteral("untouched"));
    }
};

QTEST_GUILESS_MAIN(tst_uUnitOptions)
#include "tst_uUnitOptions.moc"
