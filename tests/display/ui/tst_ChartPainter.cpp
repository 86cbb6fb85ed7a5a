#include "display/ui/uChartPainter.h"
#include "display/ui/uChartView.h"

#include <QPainter>
#include <QtTest>

namespace {

TSensorSample Sample(double tiltY, double tiltX, double accX)
{
    TSensorSample unit;
    unit.TiltY = tiltY;
    unit.TiltX = tiltX;
    unit.AccX = accX;
    return unit;
}

// Pixels of the colour within a few pixels of a point: a 2-pixel line runs there.
bool ColourNear(const QImage &image, QPointF logical, const QColor &colour)
{
    const QPoint centre = (logical * image.devicePixelRatioF()).toPoint();
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx)
            if (image.pixelColor(centre + QPoint(dx, dy)) == colour)
                return true;
    return false;
}

}  // namespace

class tst_ChartPainter : public QObject
{
    Q_OBJECT
private slots:
    void labelsAtTheIncrements_data();
    void labelsAtTheIncrements();
    void linesInTheirColoursHiddenOnesLeftOut_data();
    void linesInTheirColoursHiddenOnesLeftOut();
    void aRefreshAddsWhatAWholeDrawingShows();
    void aClearingEmptiesThePlot();
};

void tst_ChartPainter::labelsAtTheIncrements_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("increment");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("30°, automatic") << -30.0 << 30.0 << 0.0
                                    << QStringList{"-30", "-20", "-10", "0", "10", "20", "30"};
    QTest::newRow("0,5 g by 0.25") << -0.5 << 0.5 << 0.25
                                   << QStringList{"-0.5", "-0.25", "0", "0.25", "0.5"};
    QTest::newRow("15 s, automatic")
        << 0.0 << 15.0 << 0.0 << QStringList{"0", "2", "4", "6", "8", "10", "12", "14"};
    QTest::newRow("1° by 0.1, no -0") << -1.0 << 1.0 << 0.1
                                      << QStringList{"-1", "-0.9", "-0.8", "-0.7", "-0.6", "-0.5",
                                                     "-0.4", "-0.3", "-0.2", "-0.1", "0", "0.1",
                                                     "0.2", "0.3", "0.4", "0.5", "0.6", "0.7",
                                                     "0.8", "0.9", "1"};
    QTest::newRow("empty axis") << 1.0 << 1.0 << 0.0 << QStringList{};
}

void tst_ChartPainter::labelsAtTheIncrements()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, increment);
    QStringList texts;
    for (const TChartLabel &label : TChartPainter::Labels({minimum, maximum, increment}))
        texts << label.Text;
    QTEST(texts, "labels");
}

void tst_ChartPainter::linesInTheirColoursHiddenOnesLeftOut_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("100 %") << qreal(1);
    QTest::newRow("200 %") << qreal(2);
}

void tst_ChartPainter::linesInTheirColoursHiddenOnesLeftOut()
{
    QFETCH(qreal, ratio);
    TChartModel model;
    model.SetSeriesOn(csTiltX, false);
    for (int i = 0; i < 300; ++i)  // the demo's way: every series takes the point
        model.AppendDemoSample(i / 100.0, Sample(20, -20, 0.5));
    TChartPainter chart(model);
    chart.Layout(QRectF(0, 0, 1000, 600));
    QImage image(QSize(1000, 600) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    chart.PaintAll(painter);
    painter.end();

    const QPointF middle(1.5, 0);
    QVERIFY(ColourNear(image, chart.Map(csTiltY, middle + QPointF(0, 20)), QColor(0, 128, 0)));
    QVERIFY(ColourNear(image, chart.Map(csAccX, middle + QPointF(0, 0.5)), QColor(255, 0, 0)));
    // Hidden: not drawn, though its points are kept.
    QVERIFY(!ColourNear(image, chart.Map(csTiltX, middle + QPointF(0, -20)), QColor(0, 0, 255)));
    QCOMPARE(model.Points(csTiltX).size(), 300);
    // Past the last point, between grid lines, the plot is empty; the labels stand beside it.
    QCOMPARE(image.pixelColor((chart.Map(csTiltY, {10.5, 25}) * ratio).toPoint()),
             QColor(Qt::white));
    const QRectF plot = chart.Plot();
    const QRect beside = QRectF(plot.left() - 20, plot.top(), 15, plot.height()).toRect();
    int dark = 0;
    for (int y = beside.top(); y < beside.bottom(); ++y)
        for (int x = beside.left(); x < beside.right(); ++x)
            dark += image.pixelColor(QPoint(x, y) * ratio).value() < 128;
    QVERIFY(dark > 50);
}

void tst_ChartPainter::aRefreshAddsWhatAWholeDrawingShows()
{
    TChartModel model;
    for (int series : {csTiltX, csAccY, csAccX, csLTR})
        model.SetSeriesOn(series, false);
    TChartView view(model);
    view.resize(800, 400);
    for (int i = 0; i < 40; ++i)
        model.AppendChartSample(Sample(std::sin(i / 3.0) * 20, 0, 0));
    view.Refresh();
    for (int i = 40; i < 50; ++i)
        model.AppendChartSample(Sample(std::sin(i / 3.0) * 20, 0, 0));
    view.Refresh();
    QCOMPARE(view.DrawnPoints(csTiltY), 50);

    const QImage added = view.Picture();
    view.SeriesChanged();  // drawn afresh at the next refresh
    view.Refresh();
    QCOMPARE(added, view.Picture());
}

void tst_ChartPainter::aClearingEmptiesThePlot()
{
    TChartModel model;
    TChartView view(model);
    view.resize(800, 400);
    const QImage empty = (view.Refresh(), view.Picture());
    for (int i = 0; i < 100; ++i)
        model.AppendChartSample(Sample(10, 5, 0.2));
    view.Refresh();
    QVERIFY(view.Picture() != empty);
    model.ResetChart(Sample(0, 0, 0));
    view.Refresh();
    QCOMPARE(view.Picture(), empty);
    QCOMPARE(view.DrawnPoints(csTiltY), 0);
    QVERIFY(view.accessibleDescription().contains(QStringLiteral("tilt Y, tilt X, acc Y, acc X, LTR")));
}

QTEST_MAIN(tst_ChartPainter)
#include "tst_ChartPainter.moc"
