#include "display/uChartModel.h"

#include "base/uNumberFormat.h"

#include <QStringList>

#include <cmath>

namespace ChartScales {

QStringList AngleItems()
{
    return {QStringLiteral("1°"), QStringLiteral("5°"), QStringLiteral("30°"),
            QStringLiteral("90°")};
}

QStringList AccelerationItems()
{
    return {QStringLiteral("0,5 g"), QStringLiteral("1 g"), QStringLiteral("2 g")};
}

QStringList TimeItems()
{
    return {QStringLiteral("5 s"), QStringLiteral("10 s"), QStringLiteral("15 s")};
}

TAxisRange AngleRange(int item)
{
    static constexpr double Limits[] = {1, 5, 30, 90};
    const double m = Limits[qBound(0, item, 3)];
    return {-m, m, item == 0 ? 0.1 : 0.0};
}

TAxisRange AccelerationRange(int item)
{
    static constexpr double Limits[] = {0.5, 1, 2};
    const double m = Limits[qBound(0, item, 2)];
    return {-m, m, item == 0 ? 0.25 : 0.0};
}

int TimeWindowSeconds(int item)
{
    static constexpr int Seconds[] = {5, 10, 15};
    return Seconds[qBound(0, item, 2)];
}

}  // namespace ChartScales

TChartModel::TChartModel()
{
    for (auto &points : m_points)
        points.reserve(1501);
}

double TChartModel::SetTimeWindow(int seconds)
{
    ChartMaxPoints = qint32(std::lround(seconds * 100.0));
    return m_samplesAxis ? ChartMaxPoints : seconds;
}

double TChartModel::CountBasedX(int series) const
{
    const double count = double(m_points[size_t(series)].size());
    return m_samplesAxis ? count : count / 100.0;
}

void TChartModel::Append(int series, double x, double y)
{
    m_points[size_t(series)].append(QPointF(x, y));
    m_changed |= 1u << series;
}

void TChartModel::SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment)
{
    const TSensorSample &unit = state.Sensors[1];
    if (moment.DemoIndex > 0)
        AppendDemoSample(m_samplesAxis ? moment.DemoIndex : moment.DemoIndex / 100.0, unit);
    else
        AppendChartSample(unit);
}

void TChartModel::AppendChartSample(const TSensorSample &unit)
{
    for (const auto &points : m_points) {
        if (points.size() > ChartMaxPoints) {
            ResetChart(unit);
            break;
        }
    }

    // The first switched-on series among 0..4 sets the x of all of them; the LTR series
    // always runs on its own count.
    const double values[] = {unit.TiltY, unit.TiltX, unit.AccY, unit.AccX, unit.Temperature};
    double x = -1;
    for (int series = csTiltY; series <= csTemperature; ++series) {
        if (!m_on[size_t(series)])
            continue;
        if (x < 0)
            x = CountBasedX(series);
        Append(series, x, values[series]);
    }
    if (m_on[csLTR])
        Append(csLTR, CountBasedX(csLTR), unit.LTR);
}

void TChartModel::AppendDemoSample(double x, const TSensorSample &unit)
{
    if (m_points[csTiltY].size() > ChartMaxPoints)
        ResetChart(unit);
    const double values[] = {unit.TiltY, unit.TiltX,       unit.AccY,
                             unit.AccX,  unit.Temperature, unit.LTR};
    for (int series = 0; series < ChartSeriesCount; ++series)
        Append(series, x, values[series]);
}

void TChartModel::ResetChart(const TSensorSample &unit)
{
    for (auto &points : m_points)
        points.clear();
    m_changed = (1u << ChartSeriesCount) - 1;
    ++m_resets;

    const QString scale = QStringLiteral(" / scale");
    m_analysis = TChartAnalysis{
        FormatFixed(unit.TiltY - RefTiltY, 1) + QStringLiteral("°") + scale,
        FormatFixed(unit.TiltX - RefTiltX, 1) + QStringLiteral("°") + scale,
        FormatFixed(unit.AccY - RefAccY, 2) + scale,
        FormatFixed(unit.AccX - RefAccX, 2) + scale,
    };
    RefTiltX = unit.TiltX;
    RefTiltY = unit.TiltY;
    RefAccY = unit.AccY;
    RefAccX = unit.AccX;
}

unsigned TChartModel::TakeChangedSeries()
{
    const unsigned changed = m_changed;
    m_changed = 0;
    return changed;
}
