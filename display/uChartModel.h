#pragma once
// The live chart's series rules: six series of unit-1 values that fill the time window from
// the left and are cleared together once one of them is full. The view only draws them.

#include "protocol/uSampleSink.h"
#include "protocol/uSensorData.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <array>

enum TChartSeries { csTiltY, csTiltX, csAccY, csAccX, csTemperature, csLTR, ChartSeriesCount };

struct TAxisRange {
    double Minimum;
    double Maximum;
    double Increment;  // label spacing; 0 lets the chart choose
};

namespace ChartScales {
// Items of the three scale groups, as captioned.
QStringList AngleItems();         // "1°", "5°", "30°", "90°"
QStringList AccelerationItems();  // "0,5 g", "1 g", "2 g"
QStringList TimeItems();          // "5 s", "10 s", "15 s"
constexpr int AngleDefault = 2;
constexpr int AccelerationDefault = 1;
constexpr int TimeDefault = 2;

TAxisRange AngleRange(int item);         // left axis
TAxisRange AccelerationRange(int item);  // right axis
int TimeWindowSeconds(int item);
}  // namespace ChartScales

// The changes since the previous clearing, as the hidden analysis labels show them.
struct TChartAnalysis {
    QString TiltY, TiltX, AccY, AccX;
};

class TChartModel : public TSampleSink
{
public:
    TChartModel();

    // A live sample takes the chart's rule, a demo sample the demo's.
    void SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment) override;

    // Appends the sample to every switched-on series, after clearing all of them if one
    // already holds more than ChartMaxPoints points.
    void AppendChartSample(const TSensorSample &unit);
    // The demo's own rule: the chart is cleared when series 0 alone is full, and every series
    // gets the point at the given x, switched on or not.
    void AppendDemoSample(double x, const TSensorSample &unit);
    // Clears every series, measures the change since the previous clearing and takes the
    // current values as the new references.
    void ResetChart(const TSensorSample &unit);
    const TChartAnalysis &Analysis() const { return m_analysis; }
    int ResetCount() const { return m_resets; }

    // Series that receive points; a switched-off series is also hidden.
    void SetSeriesOn(int series, bool on) { m_on[size_t(series)] = on; }
    bool SeriesOn(int series) const { return m_on[size_t(series)]; }
    // Counts samples on the x axis instead of seconds.
    void SetSamplesAxis(bool samples) { m_samplesAxis = samples; }
    bool SamplesAxis() const { return m_samplesAxis; }
    // Time window: ChartMaxPoints := seconds × 100. Returns the bottom axis maximum.
    double SetTimeWindow(int seconds);

    qint32 ChartMaxPoints = 1500;

    const QList<QPointF> &Points(int series) const { return m_points[size_t(series)]; }
    // A whole series at once, for a drive drawn after the fact; it is switched on.
    void SetSeries(int series, QList<QPointF> points)
    {
        m_points[size_t(series)] = std::move(points);
        m_on[size_t(series)] = true;
    }
    // Series changed since the last TakeChangedSeries, as bits 1 << series.
    unsigned TakeChangedSeries();

private:
    double CountBasedX(int series) const;
    void Append(int series, double x, double y);

    std::array<QList<QPointF>, ChartSeriesCount> m_points;
    std::array<bool, ChartSeriesCount> m_on{true, true, true, true, false, true};
    bool m_samplesAxis = false;
    unsigned m_changed = 0;
    TChartAnalysis m_analysis;
    int m_resets = 0;
    double RefTiltY = 0, RefTiltX = 0, RefAccY = 0, RefAccX = 0;
};
