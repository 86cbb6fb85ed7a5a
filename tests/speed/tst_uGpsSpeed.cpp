#include "speed/uDecimalText.h"
#include "speed/uGpsSpeed.h"

#include <QtTest>

namespace {

const QLocale Comma(QLocale::Polish, QLocale::Poland);
const QLocale Point = QLocale::c();

}  // namespace

class tst_uGpsSpeed : public QObject
{
    Q_OBJECT
private slots:
    void sentences_data();
    void sentences();
    void decimalSeparator_data();
    void decimalSeparator();
};

void tst_uGpsSpeed::sentences_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<double>("speed");      // NaN: SourceSpeed unchanged
    QTest::addColumn<QString>("latitude");  // empty: position unchanged
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QStringList>("lines");

    const double none = qQNaN();
    const QByteArray vtg = "VTG,054.7,T,034.4,M,005.5,N,010.2,K*48";
    const QByteArray rmc = "RMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
    const QByteArray gga = "GGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

    QTest::newRow("VTG, comma locale")
        << Comma << vtg << 10.2 << QString() << QString() << QStringList{"speed vtg:10,20"};
    QTest::newRow("VTG, point locale")
        << Point << vtg << 10.2 << QString() << QString() << QStringList{"speed vtg:10.20"};
    QTest::newRow("VTG with empty track fields")
        << Comma << QByteArray("VTG,,T,,M,0.00,N,0.00,K,N*32") << 0.0 << QString() << QString()
        << QStringList{"speed vtg:0,00"};
    QTest::newRow("VTG, quoted speed with a comma, point locale")
        << Point << QByteArray("VTG,,T,,M,,N,\"010,2\",K") << 10.2 << QString() << QString()
        << QStringList{"speed vtg:10.20"};
    QTest::newRow("VTG, a blank ends a field")
        << Comma << QByteArray("VTG,054.7,T,034.4,M,005.5,N,010 .2,K") << 10.0 << QString()
        << QString() << QStringList{"speed vtg:10,00"};
    QTest::newRow("RMC knots to km/h, comma locale")
        << Comma << rmc << 41.4848 << QString() << QString() << QStringList{"speed rmc:41,48"};
    QTest::newRow("RMC, point locale")
        << Point << rmc << 41.4848 << QString() << QString() << QStringList{"speed rmc:41.48"};
    QTest::newRow("GGA, comma locale") << Comma << gga << none << "4807,038"
                                       << "01131,000" << QStringList{"4807,038   01131,000"};
    QTest::newRow("GGA, point locale") << Point << gga << none << "4807.038"
                                       << "01131.000" << QStringList{"4807.038   01131.000"};
    QTest::newRow("GGA ending at field 4")
        << Comma << QByteArray("GGA,1,4807.038,N,01131.000") << none << "4807,038"
        << "01131,000" << QStringList{"4807,038   01131,000"};

    // Nothing at all: no speed, no position, no line.
    const auto nothing = [&](const char *name, const QByteArray &body) {
        QTest::newRow(name) << Comma << body << none << QString() << QString() << QStringList{};
    };
    nothing("GSV", "GSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74");
    nothing("GSA", "GSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39");
    nothing("lower case vtg", vtg.toLower());
    nothing("5 bytes", "VTG,1");
    nothing("VTG short of field 7", "VTG,12");
    nothing("VTG with empty speed, no fix", "VTG,,T,,M,,N,,K,N*32");
    nothing("RMC with non-numeric speed", "RMC,123519,V,,,,,x2.4,,230394,,*6A");
    nothing("RMC with speed nan", "RMC,123519,A,4807.038,N,01131.000,E,nan,084.4");
    nothing("RMC speed overflowing as km/h", "RMC,123519,A,4807.038,N,01131.000,E,1e308,084.4");
    nothing("GGA lacking field 4", "GGA,123519,4807.038,N");
}

void tst_uGpsSpeed::sentences()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, body);
    QFETCH(double, speed);
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QStringList, lines);

    const TGpsSentenceEffect effect = ReadGpsSentence(body, locale);
    QCOMPARE(effect.SourceSpeed.has_value(), !qIsNaN(speed));
    if (effect.SourceSpeed)
        QCOMPARE(*effect.SourceSpeed, speed);
    QCOMPARE(effect.Position.has_value(), !latitude.isEmpty());
    if (effect.Position) {
        QCOMPARE(effect.Position->Latitude, latitude);
        QCOMPARE(effect.Position->Longitude, longitude);
    }
    QCOMPARE(effect.GpsLines, lines);
}

void tst_uGpsSpeed::decimalSeparator_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<double>("value");  // NaN: not a number
    QTest::newRow("point in a comma locale") << Comma << "010.2"
                                             << "010,2" << 10.2;
    QTest::newRow("comma in a point locale") << Point << "010,2"
                                             << "010.2" << 10.2;
    QTest::newRow("both marks") << Point << "1,000.5"
                                << "1.000.5" << qQNaN();
    QTest::newRow("empty") << Comma << ""
                           << "" << qQNaN();
    QTest::newRow("infinity") << Point << "inf"
                              << "inf" << qQNaN();
    QTest::newRow("negative") << Comma << "-0.5"
                              << "-0,5" << -0.5;
}

void tst_uGpsSpeed::decimalSeparator()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, fixed);
    QFETCH(double, value);
    QCOMPARE(FixDecimalSeparator(text, locale), fixed);
    const std::optional<double> read = ReadDecimal(text, locale);
    QCOMPARE(read.has_value(), !qIsNaN(value));
    if (read)
        QCOMPARE(*read, value);
}

QTEST_GUILESS_MAIN(tst_uGpsSpeed)
#include "tst_uGpsSpeed.moc"
