#include "base/uNumberFormat.h"
#include "display/uChartHover.h"
#include "display/uChartModel.h"
#include "display/uChartThinning.h"

#include <QtTest>

namespace {

TSensorSample Sample(double tiltY, double tiltX = 0, double ltr = 0)
{
    TSensorSample unit;
    unit.TiltY = tiltY;
    unit.TiltX = tiltX;
    unit.LTR = ltr;
    return unit;
}

}  // namespace

class tst_uChartModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void clearsWhenASeriesIsFull();
    void samplesAxisAndShortWindow();
    void xComesFromTheFirstSwitchedOnSeries_data();
    void xComesFromTheFirstSwitchedOnSeries();
    void ltrAloneGrowsAndClears();
    void analysisShowsTheChangeBetweenClearings();
    void scales();
    void thinningKeepsEveryColumnsExtremes();
    void numberFormat_data();
    void numberFormat();
    void hoverTellsTheNearestValues_data();
    void hoverTellsTheNearestValues();
};

void tst_uChartModel::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

void tst_uChartModel::clearsWhenASeriesIsFull()
{
    TChartModel chart;
    for (int i = 0; i < 1501; ++i)
        chart.AppendChartSample(Sample(i));
    QCOMPARE(chart.Points(csTiltY).size(), 1501);
    QCOMPARE(chart.Points(csTiltY).last(), QPointF(15.0, 1500));
    QCOMPARE(chart.Points(csLTR).last().x(), 15.0);
    QVERIFY(chart.Points(csTemperature).isEmpty());  // off at start
    QCOMPARE(chart.ResetCount(), 0);

    chart.AppendChartSample(Sample(1501));
    QCOMPARE(chart.ResetCount(), 1);
    QCOMPARE(chart.Points(csTiltY).size(), 1);
    QCOMPARE(chart.Points(csTiltY).first(), QPointF(0.0, 1501));
    QCOMPARE(chart.TakeChangedSeries(), 0b111111u);
    QCOMPARE(chart.TakeChangedSeries(), 0u);
}

void tst_uChartModel::samplesAxisAndShortWindow()
{
    TChartModel chart;
    chart.SetSamplesAxis(true);
    QCOMPARE(chart.SetTimeWindow(5), 500.0);
    QCOMPARE(chart.ChartMaxPoints, 500);
    for (int i = 0; i < 3; ++i)
        chart.AppendChartSample(Sample(i));
    QCOMPARE(chart.Points(csTiltX).at(2).x(), 2.0);
    chart.SetSamplesAxis(false);
    QCOMPARE(chart.SetTimeWindow(5), 5.0);
    QCOMPARE(chart.SetTimeWindow(10), 10.0);
    QCOMPARE(chart.ChartMaxPoints, 1000);
}

void tst_uChartModel::xComesFromTheFirstSwitchedOnSeries_data()
{
    QTest::addColumn<QList<int>>("off");
    QTest::addColumn<int>("lead");
    QTest::newRow("all on") << QList<int>{} << int(csTiltY);
    QTest::newRow("tilt Y off") << QList<int>{csTiltY} << int(csTiltX);
    QTest::newRow("both tilts off") << QList<int>{csTiltY, csTiltX} << int(csAccY);
}

void tst_uChartModel::xComesFromTheFirstSwitchedOnSeries()
{
    QFETCH(QList<int>, off);
    QFETCH(int, lead);
    TChartModel chart;
    // The leading series holds more points than the others: its count sets every x.
    for (int i = 0; i < 7; ++i)
        chart.AppendChartSample(Sample(i));
    for (int series : off)
        chart.SetSeriesOn(series, false);
    chart.SetSeriesOn(lead, true);
    chart.AppendChartSample(Sample(0));
    for (int series : off)
        QCOMPARE(chart.Points(series).size(), 7);  // switched-off series receive nothing
    const double leadX = chart.Points(lead).last().x();
    QCOMPARE(leadX, 0.07);
    for (int series = lead; series <= csAccX; ++series)
        QCOMPARE(chart.Points(series).last().x(), leadX);
}

void tst_uChartModel::ltrAloneGrowsAndClears()
{
    TChartModel chart;
    for (int series = csTiltY; series <= csAccX; ++series)
        chart.SetSeriesOn(series, false);
    chart.SetTimeWindow(5);
    for (int i = 0; i < 502; ++i)
        chart.AppendChartSample(Sample(0, 0, 0.1));
    QCOMPARE(chart.ResetCount(), 1);
    QCOMPARE(chart.Points(csLTR).size(), 1);
    QVERIFY(chart.Points(csTiltY).isEmpty());
}

void tst_uChartModel::analysisShowsTheChangeBetweenClearings()
{
    TChartModel chart;
    chart.ResetChart(Sample(-1, 10.0));
    QCOMPARE(chart.Analysis().TiltX, QStringLiteral("10,0° / scale"));
    QCOMPARE(chart.Analysis().TiltY, QStringLiteral("-1,0° / scale"));
    TSensorSample later = Sample(-1, 12.5);
    later.AccX = 0.255;
    chart.ResetChart(later);
    QCOMPARE(chart.Analysis().TiltX, QStringLiteral("2,5° / scale"));
    QCOMPARE(chart.Analysis().AccX, QStringLiteral("0,26 / scale"));
    QCOMPARE(chart.Analysis().AccY, QStringLiteral("0,00 / scale"));
}

void tst_uChartModel::scales()
{
    QCOMPARE(ChartScales::AngleItems().at(ChartScales::AngleDefault), QStringLiteral("30°"));
    QCOMPARE(ChartScales::AngleRange(0).Increment, 0.1);
    QCOMPARE(ChartScales::AngleRange(3).Maximum, 90.0);
    QCOMPARE(ChartScales::AngleRange(3).Increment, 0.0);
    QCOMPARE(ChartScales::AccelerationRange(0).Minimum, -0.5);
    QCOMPARE(ChartScales::AccelerationRange(0).Increment, 0.25);
    QCOMPARE(ChartScales::TimeWindowSeconds(0), 5);
}

void tst_uChartModel::thinningKeepsEveryColumnsExtremes()
{
    QList<QPointF> points;
    for (int i = 0; i <= 1500; ++i)  // a noisy 15 s series
        points << QPointF(i / 100.0, std::sin(i / 40.0) + (i * 7919 % 13) / 10.0);
    const int columns = 400;
    const QList<QPointF> thinned = ThinnedForColumns(points, 0, 15, columns);
    QVERIFY(thinned.size() <= 2 * columns + 2);
    QVERIFY(std::is_sorted(thinned.cbegin(), thinned.cend(),
                           [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); }));
    // Every column's lowest and highest point survive, so the drawn line spans the same pixels.
    for (int column = 0; column < columns; ++column) {
        const double scale = columns / 15.0;
        const auto inColumn = [&](const QPointF &p) {
            return int(std::floor(p.x() * scale)) == column;
        };
        double low = 1e9, high = -1e9, thinLow = 1e9, thinHigh = -1e9;
        for (const QPointF &p : points)
            if (inColumn(p)) {
                low = std::min(low, p.y());
                high = std::max(high, p.y());
            }
        for (const QPointF &p : thinned)
            if (inColumn(p)) {
                thinLow = std::min(thinLow, p.y());
                thinHigh = std::max(thinHigh, p.y());
            }
        QCOMPARE(thinLow, low);
        QCOMPARE(thinHigh, high);
    }
    QCOMPARE(thinned.last(), points.last());
    // Short series, and a chart not laid out yet, are handed over as they are.
    QCOMPARE(ThinnedForColumns(points.mid(0, 700), 0, 15, columns), points.mid(0, 700));
    QCOMPARE(ThinnedForColumns(points, 0, 15, 0), points);
}

void tst_uChartModel::numberFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("polish");
    QTest::addColumn<QString>("english");
    QTest::newRow("no group separator") << 1213.7101 << 2 << "1213,71"
                                        << "1213.71";
    QTest::newRow("negative") << -2.26 << 1 << "-2,3"
                              << "-2.3";
    QTest::newRow("three decimals") << 0.5 << 3 << "0,500"
                                    << "0.500";
    QTest::newRow("large") << 1234567.0 << 1 << "1234567,0"
                           << "1234567.0";
}

void tst_uChartModel::numberFormat()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, polish);
    QFETCH(QString, english);
    QCOMPARE(FormatFixed(value, decimals, QLocale(QLocale::Polish, QLocale::Poland)), polish);
    QCOMPARE(FormatFixed(value, decimals, QLocale(QLocale::English, QLocale::UnitedStates)),
             english);
    // A locale that writes U+2212 still gives a plain minus, which Windows-1250 can hold.
    QVERIFY(!FormatFixed(-value, decimals, QLocale(QLocale::Swedish)).contains(QChar(0x2212)));
}

QTEST_GUILESS_MAIN(tst_uChartModel)
#include "tst_uChartModel.moc"

void tst_uChartModel::hoverTellsTheNearestValues_data()
{
    QTest::addColumn<bool>("samplesAxis");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("text");
    // Three samples at 0, 0.01 and 0.02 s: tilt Y 1, 2, 3; LTR 0.1, 0.2, 0.3; tilt X hidden.
    QTest::newRow("on a point") << false << 0.01
                                << QStringLiteral("0,01 s\ntilt Y: 2,0°\nacc Y: 0,000 g\n"
                                                  "acc X: 0,000 g\nLTR: 0,200");
    QTest::newRow("nearer the next") << false << 0.016
                                     << QStringLiteral("0,02 s\ntilt Y: 3,0°\nacc Y: 0,000 g\n"
                                                       "acc X: 0,000 g\nLTR: 0,300");
    QTest::newRow("a step past the last") << false << 0.03
                                          << QStringLiteral("0,03 s\ntilt Y: 3,0°\n"
                                                            "acc Y: 0,000 g\nacc X: 0,000 g\n"
                                                            "LTR: 0,300");
    QTest::newRow("beyond the points") << false << 0.05 << QString();
    QTest::newRow("samples") << true << 1.0
                             << QStringLiteral("sample 1\ntilt Y: 2,0°\nacc Y: 0,000 g\n"
                                               "acc X: 0,000 g\nLTR: 0,200");
}

void tst_uChartModel::hoverTellsTheNearestValues()
{
    QFETCH(bool, samplesAxis);
    QFETCH(double, x);
    TChartModel model;
    model.SetSamplesAxis(samplesAxis);
    model.SetSeriesOn(csTiltX, false);
    for (int i = 1; i <= 3; ++i)
        model.AppendChartSample(Sample(i, 5, i / 10.0));
    QTEST(ChartValuesAt(model, x), "text");
}
