#include "app/uCommandLine.h"

#include <QtTest>

class tst_uCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void tst_uCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("canLog");
    QTest::addColumn<QString>("backend");
    QTest::addColumn<int>("problems");
    const QString peak = QStringLiteral("peakcan:usb0");
    QTest::newRow("none") << QStringList{} << false << peak << 0;
    QTest::newRow("D") << QStringList{"D"} << true << peak << 0;
    QTest::newRow("d") << QStringList{"d"} << true << peak << 0;
    QTest::newRow("/D") << QStringList{"/D"} << false << peak << 0;
    QTest::newRow("-d") << QStringList{"-d"} << false << peak << 0;
    QTest::newRow("DD") << QStringList{"DD"} << false << peak << 0;
    QTest::newRow("D second") << QStringList{"x", "D"} << false << peak << 0;
    QTest::newRow("option first") << QStringList{"--can=sim", "D"} << true << "sim" << 0;
    QTest::newRow("option after") << QStringList{"d", "--can=virtualcan:can0"} << true
                                  << "virtualcan:can0" << 0;
    QTest::newRow("bad backend") << QStringList{"--can=peakcan"} << false << peak << 1;
    QTest::newRow("unknown option") << QStringList{"--rate=5", "D"} << true << peak << 1;
}

void tst_uCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, canLog);
    QFETCH(QString, backend);
    QFETCH(int, problems);
    const TCommandLine result = ParseCommandLine(arguments);
    QCOMPARE(result.CanLogEnabled, canLog);
    QCOMPARE(result.CanBackend, backend);
    QCOMPARE(result.Problems.size(), problems);
}

QTEST_GUILESS_MAIN(tst_uCommandLine)
#include "tst_uCommandLine.moc"
