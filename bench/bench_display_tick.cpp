// One display tick (Timer1Timer with the Visualisation page) while both tilts change at
// every tick, so all four pictures turn: median and 99th percentile in microseconds, for the
// tick itself and for the repaint that follows it on the offscreen platform.

#include "app/ui/uFrmMain.h"
#include "app/ui/uWindowSet.h"
#include "widgets/uLook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

struct TFigures {
    double median, p99;
};

TFigures Percentiles(std::vector<qint64> &nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const auto at = [&](double q) {
        return nanoseconds[size_t(q * double(nanoseconds.size() - 1))] / 1000.0;
    };
    return {at(0.5), at(0.99)};
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &main = *windows.frmMain;
    main.Session().Timer1.stop();
    main.show();
    QTextStream out(stdout);

    for (int page : {0, 1}) {
        main.Pages().PageControl1->setCurrentIndex(page);
        QCoreApplication::processEvents();
        std::vector<qint64> ticks, paints;
        for (int i = 0; i < 2000; ++i) {
            TSensorSample &unit = main.Session().Acquisition.State.Sensors[1];
            unit.TiltX = -40 + (i * 7 % 80) + 0.3;  // a new whole degree every tick
            unit.TiltY = 35 - (i * 3 % 70) - 0.3;
            unit.Status = quint8(i);
            QElapsedTimer timer;
            timer.start();
            main.Session().Timer1Timer();
            ticks.push_back(timer.nsecsElapsed());
            timer.restart();
            QCoreApplication::processEvents();
            paints.push_back(timer.nsecsElapsed());
        }
        const TFigures tick = Percentiles(ticks);
        const TFigures paint = Percentiles(paints);
        out << main.Pages().PageControl1->tabText(page) << " page in front: tick median " << tick.median
            << " us, p99 " << tick.p99 << " us; repaint median " << paint.median << " us, p99 "
            << paint.p99 << " us\n";
    }
    return 0;
}
