#include "display/ui/uChartPainter.h"

#include "display/uChartHover.h"
#include "display/uChartThinning.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <cmath>

namespace {

struct TSeriesLook {
    QColor colour;
    bool rightAxis;
};

const TSeriesLook SeriesLooks[ChartSeriesCount] = {
    {QColor(0, 128, 0), false}, {QColor(0, 0, 255), false},    {QColor(64, 0, 0), true},
    {QColor(255, 0, 0), true},  {QColor(255, 255, 128), false}, {QColor(255, 128, 192), true},
};

const QColor Ground(Qt::white);
const QColor Surround(239, 239, 239);
const QColor Grid(226, 226, 226);
const QColor AxisLine(214, 214, 214);
const QColor Text(64, 64, 68);
const QColor TitleColour(0, 0, 255);
constexpr double Inset = 9;     // the ground inside the widget
constexpr double Tick = 5;      // outside the axis line
constexpr double LeftGap = 4;  // from an axis line to its labels
constexpr double RightGap = 5;
constexpr double BottomGap = 6;
constexpr double LegendPitch = 1.55;  // lines of legend text per entry

// Label spacing chosen when none is set: a 1-2-5 step giving about eight intervals.
double AutomaticIncrement(double span)
{
    const double rough = span / 8.0;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double step : {1.0, 2.0, 5.0})
        if (step * decade >= rough)
            return step * decade;
    return 10.0 * decade;
}

QFont TitleFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(true);
    return font;
}

double WidestLabel(const QFontMetricsF &metrics, const TAxisRange &axis)
{
    double widest = 0;
    for (const TChartLabel &label : TChartPainter::Labels(axis))
        widest = std::max(widest, metrics.horizontalAdvance(label.Text));
    return widest;
}

}  // namespace

TChartPainter::TChartPainter(const TChartModel &model)
    : Left(ChartScales::AngleRange(ChartScales::AngleDefault)),
      Right(ChartScales::AccelerationRange(ChartScales::AccelerationDefault)),
      Bottom{0, double(ChartScales::TimeWindowSeconds(ChartScales::TimeDefault)), 0},
      m_model(model)
{
    for (int series = 0; series < ChartSeriesCount; ++series) {
        SeriesTitles[size_t(series)] = ChartSeriesTitle(series);
        Colours[size_t(series)] = SeriesColour(series);
    }
}

QColor TChartPainter::SeriesColour(int series)
{
    return SeriesLooks[series].colour;
}

bool TChartPainter::OnRightAxis(int series)
{
    return SeriesLooks[series].rightAxis;
}

QList<TChartLabel> TChartPainter::Labels(const TAxisRange &axis)
{
    const double span = axis.Maximum - axis.Minimum;
    if (!(span > 0))
        return {};
    const double step = axis.Increment > 0 ? axis.Increment : AutomaticIncrement(span);
    QList<TChartLabel> labels;
    const int count = int(std::floor(span / step + 1e-9));
    for (int i = 0; i <= count; ++i) {
        double value = axis.Minimum + i * step;
        if (std::abs(value) < step * 1e-9)
            value = 0;  // no "-0" from the sum
        labels.append({QLocale().toString(value, 'g', 4), value});
    }
    return labels;
}

void TChartPainter::Layout(const QRectF &area)
{
    m_area = area;
    const QRectF ground = area.adjusted(Inset, Inset, -Inset, -Inset);
    const QFontMetricsF metrics(LabelFont);
    const QFontMetricsF titleMetrics(TitleFont());
    m_title = QRectF(ground.left(), ground.top() + 5, ground.width(), titleMetrics.height());

    double legendText = 0;
    int shown = 0;
    for (int series = 0; series < ChartSeriesCount; ++series)
        if (m_model.SeriesOn(series)) {
            legendText =
                std::max(legendText, metrics.horizontalAdvance(SeriesTitles[size_t(series)]));
            ++shown;
        }
    const double swatch = std::round(metrics.height() * 0.6);
    const double legendWidth = shown ? 7 + swatch + 5 + legendText + 7 : 0;
    const double legendHeight = shown * metrics.height() * LegendPitch;
    m_legend = QRectF(ground.right() - 11 - legendWidth,
                      ground.center().y() - legendHeight / 2, legendWidth, legendHeight);

    const double left = ground.left() + 7 + WidestLabel(metrics, Left) + LeftGap;
    const double right = m_legend.left() - 8 - WidestLabel(metrics, Right) - RightGap;
    const double top = m_title.bottom() + 10;
    const double bottom = ground.bottom() - 5 - metrics.height() - BottomGap;
    m_plot = QRectF(QPointF(std::round(left), std::round(top)),
                    QPointF(std::round(right), std::round(bottom)));
}

QPointF TChartPainter::Map(int series, const QPointF &value) const
{
    const TAxisRange &axis = OnRightAxis(series) ? Right : Left;
    const double x = m_plot.left()
                     + (value.x() - Bottom.Minimum) / (Bottom.Maximum - Bottom.Minimum)
                           * m_plot.width();
    const double y = m_plot.bottom()
                     - (value.y() - axis.Minimum) / (axis.Maximum - axis.Minimum)
                           * m_plot.height();
    return {x, y};
}

// The whole pixels of a grid line, tick and label: rows rounded down and columns to the
// nearest, as the chart always placed them.
double TChartPainter::PixelY(int series, double value) const
{
    return std::floor(Map(series, {0, value}).y());
}

double TChartPainter::PixelX(double value) const
{
    return std::round(Map(csTiltY, {value, 0}).x());
}

double TChartPainter::XAt(double pixelX) const
{
    return Bottom.Minimum
           + (pixelX - m_plot.left()) / m_plot.width() * (Bottom.Maximum - Bottom.Minimum);
}

void TChartPainter::PaintAll(QPainter &painter) const
{
    PaintFrame(painter);
    for (int series = 0; series < ChartSeriesCount; ++series)
        if (m_model.SeriesOn(series))
            // In a column a line of many points covers what its lowest and highest cover.
            PaintLine(painter, series,
                      ThinnedForColumns(m_model.Points(series), Bottom.Minimum, Bottom.Maximum,
                                        int(m_plot.width() * painter.device()->devicePixelRatioF())));
}

void TChartPainter::PaintSegments(QPainter &painter, int series, qsizetype from) const
{
    const QList<QPointF> &points = m_model.Points(series);
    from = std::max<qsizetype>(0, from - 1);  // joined to the last point drawn
    if (from < points.size())
        PaintLine(painter, series, points.mid(from));
}

// Segment by segment: a wide pen strokes separate segments many times faster than one
// polyline, whose outline it must join and fill as a whole.
void TChartPainter::PaintLine(QPainter &painter, int series, const QList<QPointF> &points) const
{
    QList<QLineF> segments;
    segments.reserve(points.size());
    QPointF last = Map(series, points.value(0));
    for (qsizetype i = 1; i < points.size(); ++i) {
        const QPointF next = Map(series, points[i]);
        segments.append(QLineF(last, next));
        last = next;
    }
    if (points.size() == 1)
        segments.append(QLineF(last, last));
    painter.save();
    painter.setClipRect(m_plot);
    painter.setPen(QPen(Colours[size_t(series)], LineWidth));
    painter.drawLines(segments.constData(), int(segments.size()));
    painter.restore();
}

void TChartPainter::PaintFrame(QPainter &painter) const
{
    painter.fillRect(m_area, Surround);
    painter.fillRect(m_area.adjusted(Inset, Inset, -Inset, -Inset), Ground);
    painter.setFont(TitleFont());
    painter.setPen(TitleColour);
    painter.drawText(m_title, Qt::AlignCenter, Heading);

    // The grid of the angle and time axes; the right axis has none of its own.
    painter.setPen(QPen(Grid, 1));
    for (const TChartLabel &label : Labels(Left)) {
        const double y = PixelY(csTiltY, label.Value);
        painter.drawLine(QPointF(m_plot.left(), y), QPointF(m_plot.right(), y));
    }
    for (const TChartLabel &label : Labels(Bottom)) {
        const double x = PixelX(label.Value);
        painter.drawLine(QPointF(x, m_plot.top()), QPointF(x, m_plot.bottom()));
    }
    painter.setPen(QPen(AxisLine, 1));
    painter.drawLine(m_plot.bottomLeft(), m_plot.topLeft());
    painter.drawLine(m_plot.bottomRight(), m_plot.topRight());
    painter.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());
    PaintAxisLabels(painter);
    PaintLegend(painter);
}

void TChartPainter::PaintAxisLabels(QPainter &painter) const
{
    const QFontMetricsF metrics(LabelFont);
    const double height = metrics.height();
    painter.setFont(LabelFont);
    const auto vertical = [&](const TAxisRange &axis, int series, bool right) {
        for (const TChartLabel &label : Labels(axis)) {
            const double y = PixelY(series, label.Value);
            const double x = right ? m_plot.right() : m_plot.left();
            painter.setPen(QPen(AxisLine, 1));
            painter.drawLine(QPointF(x, y), QPointF(right ? x + Tick : x - Tick, y));
            painter.setPen(Text);
            const QRectF box = right ? QRectF(x + RightGap, y - height / 2, 200, height)
                                     : QRectF(x - LeftGap - 200, y - height / 2, 200, height);
            painter.drawText(box, (right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                             label.Text);
        }
    };
    vertical(Left, csTiltY, false);
    vertical(Right, csAccY, true);
    for (const TChartLabel &label : Labels(Bottom)) {
        const double x = PixelX(label.Value);
        painter.setPen(QPen(AxisLine, 1));
        painter.drawLine(QPointF(x, m_plot.bottom()), QPointF(x, m_plot.bottom() + Tick));
        painter.setPen(Text);
        painter.drawText(QRectF(x - 100, m_plot.bottom() + BottomGap - 1, 200, height),
                         Qt::AlignHCenter | Qt::AlignTop, label.Text);
    }
}

void TChartPainter::PaintLegend(QPainter &painter) const
{
    const QFontMetricsF metrics(LabelFont);
    const double pitch = metrics.height() * LegendPitch;
    const double swatch = std::round(metrics.height() * 0.6);
    double y = m_legend.top();
    painter.setFont(LabelFont);
    for (int series = 0; series < ChartSeriesCount; ++series) {
        if (!m_model.SeriesOn(series))
            continue;
        const QRectF entry(m_legend.left() + 7, y, m_legend.width() - 7, pitch);
        const QRectF box(entry.left(), std::round(entry.center().y() - swatch / 2), swatch, swatch);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Colours[size_t(series)]);
        painter.drawRect(box);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(Text);
        painter.drawText(entry.adjusted(swatch + 5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         SeriesTitles[size_t(series)]);
        y += pitch;
    }
}
