#include "display/uChartHover.h"

#include "base/uNumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

struct TValueLook {
    const char *title;
    int decimals;
    const char *unit;
};

const TValueLook ValueLooks[ChartSeriesCount] = {
    {"tilt Y", 1, "°"}, {"tilt X", 1, "°"}, {"acc Y", 3, " g"},
    {"acc X", 3, " g"}, {"T", 1, " °C"},    {"LTR", 3, ""},
};

}  // namespace

QString ChartSeriesTitle(int series)
{
    return QString::fromUtf8(ValueLooks[series].title);
}

QString ChartValuesAt(const TChartModel &model, double x)
{
    const double step = model.SamplesAxis() ? 1.0 : 0.01;
    QStringList lines;
    for (int series = 0; series < ChartSeriesCount; ++series) {
        const QList<QPointF> &points = model.Points(series);
        if (!model.SeriesOn(series) || points.isEmpty())
            continue;
        // x ascends along a series: the nearest point is at the first x not below, or before it.
        auto next = std::lower_bound(points.begin(), points.end(), x,
                                     [](const QPointF &point, double value) { return point.x() < value; });
        if (next == points.end() || (next != points.begin() && x - (next - 1)->x() < next->x() - x))
            --next;
        if (std::abs(next->x() - x) > step)
            continue;
        const TValueLook &look = ValueLooks[series];
        lines << QStringLiteral("%1: %2%3").arg(ChartSeriesTitle(series),
                                                FormatFixed(next->y(), look.decimals),
                                                QString::fromUtf8(look.unit));
    }
    if (lines.isEmpty())
        return {};
    lines.prepend(model.SamplesAxis()
                      ? QStringLiteral("sample %1").arg(std::lround(x))
                      : QStringLiteral("%1 s").arg(FormatFixed(x, 2)));
    return lines.join(QLatin1Char('\n'));
}
