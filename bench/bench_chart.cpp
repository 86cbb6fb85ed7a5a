// The live chart's drawing: a full redraw of six series of 1,501 points at 1000 x 600 pixels
// (100 % and 200 %), and one display tick's chart work, ten new samples appended, drawn onto
// the picture and repainted on the offscreen platform. Medians in milliseconds.

#include "display/ui/uChartPainter.h"
#include "display/ui/uChartView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double MedianMs(std::vector<qint64> &nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return double(nanoseconds[nanoseconds.size() / 2]) / 1e6;
}

// A drive through bends on a rough road: every value moves at every sample, with noise of a
// few pixels on top.
TSensorSample Moving(int i)
{
    const double noise = (i * 7919 % 13) / 13.0 - 0.5;
    TSensorSample unit;
    unit.TiltY = 20 * std::sin(i / 170.0) + noise;
    unit.TiltX = 15 * std::cos(i / 230.0) - noise;
    unit.AccY = 0.6 * std::sin(i / 110.0) + noise * 0.04;
    unit.AccX = 0.4 * std::cos(i / 130.0) - noise * 0.04;
    unit.Temperature = 20 + noise;
    unit.LTR = 0.5 * std::sin(i / 70.0) + noise * 0.03;
    return unit;
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);

    TChartModel full;
    full.SetSeriesOn(csTemperature, true);
    for (int i = 0; i < 1501; ++i)
        full.AppendChartSample(Moving(i));
    TChartPainter painter(full);
    painter.LabelFont = QApplication::font();
    painter.Layout(QRectF(0, 0, 1000, 600));
    for (qreal ratio : {1.0, 2.0}) {
        QImage image(QSize(1000, 600) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        std::vector<qint64> times;
        for (int run = 0; run < 200; ++run) {
            QElapsedTimer timer;
            timer.start();
            QPainter on(&image);
            painter.PaintAll(on);
            on.end();
            times.push_back(timer.nsecsElapsed());
        }
        out << "full redraw, 6 series of 1501 points, 1000 x 600 at " << ratio * 100
            << " %: median " << MedianMs(times) << " ms\n";
    }

    TChartModel live;
    TChartView view(live);
    view.resize(1000, 600);
    view.show();
    QCoreApplication::processEvents();
    std::vector<qint64> ticks;
    for (int tick = 0; tick < 3000; ++tick) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 10; ++i)
            live.AppendChartSample(Moving(tick * 10 + i));
        view.Refresh();
        view.repaint();
        ticks.push_back(timer.nsecsElapsed());
    }
    out << "display tick, 10 samples appended and painted, 1000 x 600: median " << MedianMs(ticks)
        << " ms (a clearing every 150 ticks draws the whole chart)\n";
    return 0;
}
