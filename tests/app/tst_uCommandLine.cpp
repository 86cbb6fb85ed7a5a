#include "app/uCommandLine.h"
#include "app/uDisplayCheck.h"

#include <QtTest>

class tst_uCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void missingDisplay_data();
    void missingDisplay();
};

void tst_uCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("canLog");
    QTest::addColumn<QString>("backend");
    QTest::addColumn<int>("problems");
    QTest::addColumn<bool>("error");  // the window does not open
    const QString none;  // no adapter given: the start takes the first one found
    QTest::newRow("none") << QStringList{} << false << none << 0 << false;
    QTest::newRow("D") << QStringList{"D"} << true << none << 0 << false;
    QTest::newRow("d") << QStringList{"d"} << true << none << 0 << false;
    QTest::newRow("/D") << QStringList{"/D"} << false << none << 0 << false;
    QTest::newRow("-d") << QStringList{"-d"} << false << none << 0 << false;
    QTest::newRow("DD") << QStringList{"DD"} << false << none << 0 << false;
    QTest::newRow("D second") << QStringList{"x", "D"} << false << none << 0 << false;
    QTest::newRow("option first") << QStringList{"--can=sim", "D"} << true << "sim" << 0 << false;
    QTest::newRow("option after") << QStringList{"d", "--can=virtualcan:can0"} << true
                                  << "virtualcan:can0" << 0 << false;
    QTest::newRow("not an adapter") << QStringList{"--can=peakcan"} << false << none << 0 << true;
    QTest::newRow("misspelt") << QStringList{"--can=simm"} << false << none << 0 << true;
    QTest::newRow("replay of nothing") << QStringList{"--can=replay:"} << false << none << 0
                                       << true;
    QTest::newRow("value after a blank") << QStringList{"--can", "sim"} << false << none << 0
                                         << true;
    QTest::newRow("unknown option") << QStringList{"--rate=5", "D"} << true << none << 1 << false;
}

void tst_uCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, canLog);
    QFETCH(QString, backend);
    QFETCH(int, problems);
    QFETCH(bool, error);
    const TCommandLine result = ParseCommandLine(arguments);
    QCOMPARE(!result.Error.isEmpty(), error);
    QCOMPARE(result.CanLogEnabled, canLog);
    QCOMPARE(result.CanBackend, backend);
    QCOMPARE(result.Problems.size(), problems);
}

void tst_uCommandLine::missingDisplay_data()
{
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QString>("missing");  // the variable the message names; empty: none
    QTest::newRow("X11") << QByteArray() << QByteArray(":0") << QByteArray() << QString();
    QTest::newRow("Wayland alone") << QByteArray() << QByteArray() << QByteArray("wayland-0")
                                   << QString();
    QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << "DISPLAY";
    QTest::newRow("xcb asked, Wayland there")
        << QByteArray("xcb") << QByteArray() << QByteArray("wayland-0") << "DISPLAY";
    QTest::newRow("wayland asked") << QByteArray("wayland-egl") << QByteArray(":0") << QByteArray()
                                   << "WAYLAND_DISPLAY";
    QTest::newRow("offscreen") << QByteArray("offscreen") << QByteArray() << QByteArray()
                               << QString();
}

void tst_uCommandLine::missingDisplay()
{
    QFETCH(QByteArray, platform);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QString, missing);
    const QString message = MissingDisplay({platform, display, wayland});
    QCOMPARE(message.isEmpty(), missing.isEmpty());
    QVERIFY(message.contains(QStringLiteral("(%1 is not set)").arg(missing)) || missing.isEmpty());
}

QTEST_GUILESS_MAIN(tst_uCommandLine)
#include "tst_uCommandLine.moc"
