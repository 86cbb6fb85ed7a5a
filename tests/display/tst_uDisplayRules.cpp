#include "base/uNumberFormat.h"
#include "display/uDisplayRules.h"
#include "display/uStatusCaptions.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using TLamps = std::array<bool, 3>;

class tst_uDisplayRules : public QObject
{
    Q_OBJECT
private slots:
    void lampsAndZones_data();
    void lampsAndZones();
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void readoutFormats();
    void statusBits_data();
    void statusBits();
    void picturesTurnOnlyOnChange();
    void trackersClamp();
    void statusCaptions_data();
    void statusCaptions();
    void statusCaptionsFromAMissingFile();
    void statusCaptionsFromALargeUtf8File();
};

void tst_uDisplayRules::lampsAndZones_data()
{
    QTest::addColumn<double>("tilt");
    QTest::addColumn<TLamps>("positive");
    QTest::addColumn<TLamps>("negative");
    QTest::addColumn<TZone>("zoneX");
    QTest::addColumn<TZone>("zoneY");
    QTest::newRow("0") << 0.0 << TLamps{} << TLamps{} << TZone::None << TZone::None;
    QTest::newRow("14.99") << 14.99 << TLamps{true, false, false} << TLamps{} << TZone::None
                           << TZone::None;
    QTest::newRow("15") << 15.0 << TLamps{true, true, false} << TLamps{} << TZone::DownYellow
                        << TZone::UpYellow;
    QTest::newRow("-15") << -15.0 << TLamps{} << TLamps{true, true, false} << TZone::UpYellow
                         << TZone::DownYellow;
    QTest::newRow("-14.99") << -14.99 << TLamps{} << TLamps{true, false, false} << TZone::None
                            << TZone::None;
    QTest::newRow("30") << 30.0 << TLamps{true, true, true} << TLamps{} << TZone::DownRed
                        << TZone::UpRed;
    QTest::newRow("-30") << -30.0 << TLamps{} << TLamps{true, true, true} << TZone::UpRed
                         << TZone::DownRed;
    QTest::newRow("29.99") << 29.99 << TLamps{true, true, false} << TLamps{} << TZone::DownYellow
                           << TZone::UpYellow;
}

void tst_uDisplayRules::lampsAndZones()
{
    QFETCH(double, tilt);
    QFETCH(TLamps, positive);
    QFETCH(TLamps, negative);
    QFETCH(TZone, zoneX);
    QFETCH(TZone, zoneY);
    const TLampColumn lamps = LampsFor(tilt);
    QCOMPARE(lamps.Positive, positive);
    QCOMPARE(lamps.Negative, negative);
    QCOMPARE(ZoneOfTiltX(tilt), zoneX);
    QCOMPARE(ZoneOfTiltY(tilt), zoneY);
}

void tst_uDisplayRules::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-3.5") << -3.5 << -4;
    QTest::newRow("2.51") << 2.51 << 3;
    QTest::newRow("565.35") << 565.35 << 565;
    QTest::newRow("not a number") << qQNaN() << 0;
}

void tst_uDisplayRules::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(RoundHalfEven(value), rounded);
}

void tst_uDisplayRules::readoutFormats()
{
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(polish);
    QCOMPARE(FormatAngle(-3.04), QStringLiteral("-3,0°"));
    QCOMPARE(FormatAngle(565.35), QStringLiteral("565,4°"));
    QCOMPARE(FormatFixed(1213.71, 1), QStringLiteral("1213,7"));
    QLocale::setDefault(english);
    QCOMPARE(FormatAngle(-3.04), QStringLiteral("-3.0°"));
    QCOMPARE(FormatFixed(1213.71, 2), QStringLiteral("1213.71"));
    QCOMPARE(FormatFixed(-0.5, 3), QStringLiteral("-0.500"));
}

void tst_uDisplayRules::statusBits_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<bool>("warning");
    QTest::newRow("0x41") << 0x41 << QList<int>{1, 7} << true;
    QTest::newRow("0x00") << 0x00 << QList<int>{} << false;
    QTest::newRow("0x80") << 0x80 << QList<int>{8} << false;
    QTest::newRow("0xFF") << 0xFF << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << true;
}

void tst_uDisplayRules::statusBits()
{
    QFETCH(int, status);
    QFETCH(QList<int>, shown);
    QFETCH(bool, warning);
    QList<int> labels;
    for (int n = 1; n <= 8; ++n)
        if (StatusLabelShown(quint8(status), n))
            labels << n;
    QCOMPARE(labels, shown);
    QCOMPARE(WarningShown(quint8(status)), warning);
}

void tst_uDisplayRules::picturesTurnOnlyOnChange()
{
    TPictureState pictures;
    TSensorSample unit;
    TPictureTurns turns = PlanPictureTurns(pictures, unit);
    QVERIFY(!turns.Wzdluzny && !turns.Poprzeczny && !turns.VisX && !turns.VisY);

    unit.TiltX = 2.5;
    unit.TiltY = -3.5;
    turns = PlanPictureTurns(pictures, unit);
    QCOMPARE(turns.Wzdluzny, std::optional<int>(2));
    QCOMPARE(turns.Poprzeczny, std::optional<int>(-4));
    QCOMPARE(turns.VisX, std::optional<int>(2));
    QCOMPARE(turns.VisY, std::optional<int>(-4));

    // A raw change within the same degree turns the small pictures, not the gauges.
    unit.TiltX = 2.4;
    turns = PlanPictureTurns(pictures, unit);
    QCOMPARE(turns.Wzdluzny, std::optional<int>(2));
    QVERIFY(!turns.Poprzeczny && !turns.VisX && !turns.VisY);
}

void tst_uDisplayRules::trackersClamp()
{
    TSensorSample unit;
    unit.AccY = 20;
    unit.AccX = -1.5;
    unit.TiltX = 200;
    unit.TiltY = -2.5;
    const TTrackerValues values = TrackerValuesFor(unit);
    QCOMPARE(values.GP, 15);
    QCOMPARE(values.GW, -2);
    QCOMPARE(values.W, -180);
    QCOMPARE(values.P, -2);
}

void tst_uDisplayRules::statusCaptions_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("third");
    QTest::addColumn<QString>("eighth");
    QStringEncoder windows1250("windows-1250");
    QTest::newRow("plain") << QByteArray(
        "[opisy]\r\nstatus1=Przechył\r\nstatus3=Grzanie\r\nstatus8=Błąd\r\n")
                           << "Przechył"
                           << "Grzanie"
                           << "Błąd";
    QTest::newRow("missing key") << QByteArray("[opisy]\nstatus1=A\n") << "A"
                                 << "status3"
                                 << "status8";
    QTest::newRow("keys in another case") << QByteArray("[OPISY]\nSTATUS1 = A \nStatus3=B\n") << "A"
                                          << "B"
                                          << "status8";
    QTest::newRow("other section")
        << QByteArray("[inne]\nstatus1=A\n[opisy]\nstatus3=B\n") << "status1"
        << "B"
        << "status8";
    QTest::newRow("windows-1250") << QByteArray(
        windows1250.encode(QStringLiteral("[opisy]\nstatus1=Żółć\nstatus8=Łączność\n")))
                                  << "Żółć"
                                  << "status3"
                                  << "Łączność";
    QTest::newRow("first value counts") << QByteArray("[opisy]\nstatus1=A\nstatus1=B\n") << "A"
                                        << "status3"
                                        << "status8";
    // A label would break its caption at any of them.
    QTest::newRow("lone CR ends a line")
        << QByteArray("[opisy]\rstatus1=A\rB\r\rstatus3=C\r") << "A"
        << "C"
        << "status8";
    QTest::newRow("Unicode separators end a line")
        << QByteArray("[opisy]\nstatus1=A\xe2\x80\xa8status3=B\xe2\x80\xa9status8=C") << "A"
        << "B"
        << "C";
    QTest::newRow("empty") << QByteArray() << "status1"
                           << "status3"
                           << "status8";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[opisy]\nstatus1=A\n") << "A"
                                     << "status3"
                                     << "status8";
    QTest::newRow("one pair of quotes dropped")
        << QByteArray("[opisy]\nstatus1=\"quoted\"\nstatus3='\"both\"'\nstatus8=\"half\n")
        << "quoted"
        << "\"both\""
        << "\"half";
}

void tst_uDisplayRules::statusCaptions()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, first);
    QFETCH(QString, third);
    QFETCH(QString, eighth);
    const QStringList captions = StatusCaptionsFromIni(contents);
    QCOMPARE(captions.size(), 8);
    QCOMPARE(captions[0], first);
    QCOMPARE(captions[2], third);
    QCOMPARE(captions[7], eighth);
}

void tst_uDisplayRules::statusCaptionsFromAMissingFile()
{
    QCOMPARE(LoadStatusCaptions(QStringLiteral("no-such-file.ini")).at(4),
             QStringLiteral("status5"));
}

// A UTF-8 file over the size limit whose limit falls inside a letter: cut at a line end, not
// taken whole as Windows-1250.
void tst_uDisplayRules::statusCaptionsFromALargeUtf8File()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("opisy.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[opisy]\nstatus1=Przechył\n");
    const QByteArray comment = "; " + QByteArray("\xc4\x85").repeated(499) + "\n";  // 1001 bytes
    while (file.size() < (1 << 20) + 4096)
        file.write(comment);
    file.close();
    QCOMPARE(LoadStatusCaptions(path).at(0), QStringLiteral("Przechył"));
}

QTEST_GUILESS_MAIN(tst_uDisplayRules)
#include "tst_uDisplayRules.moc"
