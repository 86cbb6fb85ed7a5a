#include "report/ui/uReportPage.h"

#include "display/ui/uChartPainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Margin = 30;
constexpr double MainChartHeight = 236;
constexpr double SpeedChartHeight = 96;
constexpr double LineWidth = 0.8;  // thin: a long drive fills the plot with its lines
constexpr int AxisIntervals = 5;   // labels on each side of zero
const QColor AlarmShade(255, 0, 0, 48);
const QColor SpeedColour(128, 64, 0);

// Sized in the page's own units, points, whatever the resolution of the device drawn on.
QFont TextFont(int points, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(points);
    font.setBold(bold);
    return font;
}

// The smallest of the steps that holds the largest magnitude, so that small values still fill
// the chart and a peak never leaves it.
double AxisLimit(double magnitude, std::initializer_list<double> steps)
{
    for (double step : steps)
        if (magnitude <= step)
            return step;
    return std::ceil(magnitude / *(steps.end() - 1)) * *(steps.end() - 1);
}

// The drive's time axis: minutes for longer drives, seconds for short ones.
struct TTimeAxis {
    double Divisor;
    QString Caption;
};

TTimeAxis TimeAxisFor(double seconds)
{
    if (seconds >= 600)
        return {60, QStringLiteral("time since the first record [min]")};
    return {1, QStringLiteral("time since the first record [s]")};
}

QList<QPointF> Series(const QList<TDriveRecord> &records, double divisor,
                      double TDriveRecord::*value)
{
    QList<QPointF> points;
    points.reserve(records.size());
    for (const TDriveRecord &record : records)
        points.append({record.Seconds / divisor, record.*value});
    return points;
}

double Magnitude(const TExtreme &extreme)
{
    return std::abs(extreme.Value);
}

double DrawFields(QPainter &painter, const QList<TReportField> &fields, QPointF at,
                  double labelWidth, double valueWidth)
{
    const QFontMetricsF metrics(painter.font());
    for (const TReportField &field : fields) {
        painter.drawText(QRectF(at, QSizeF(labelWidth, metrics.height())), field.first);
        const QRectF value(at + QPointF(labelWidth, 0), QSizeF(valueWidth, 400));
        const QRectF used = painter.boundingRect(value, Qt::TextWordWrap, field.second);
        painter.drawText(value, Qt::TextWordWrap, field.second);
        at.ry() += std::max(metrics.height(), used.height()) + 1;
    }
    return at.y();
}

double PaintHead(QPainter &painter, const TDriveReport &report, double top)
{
    painter.setPen(Qt::black);
    painter.setFont(TextFont(14, true));
    const QFontMetricsF titleMetrics(painter.font());
    painter.drawText(QPointF(Margin, top + titleMetrics.ascent()),
                     QStringLiteral("Drive report: %1").arg(report.FileName));
    top += titleMetrics.height() + 6;
    painter.setFont(TextFont(8));
    const QList<TReportField> head = ReportHead(report);
    const qsizetype half = (head.size() + 1) / 2;
    const double column = (ReportPage::Size.width() - 2 * Margin) / 2;
    const double left = DrawFields(painter, head.mid(0, half), {Margin, top}, 70, column - 80);
    const double right =
        DrawFields(painter, head.mid(half), {Margin + column, top}, 80, column - 80);
    return std::max(left, right) + 6;
}

void PaintAlarms(QPainter &painter, const TChartPainter &chart, const TDriveReport &report,
                 double divisor)
{
    painter.save();
    painter.setClipRect(chart.Plot());
    for (const auto &[from, to] : report.Events.AlarmPeriods) {
        const double left = chart.Map(csLTR, {from / divisor, 0}).x();
        const double right = std::max(chart.Map(csLTR, {to / divisor, 0}).x(), left + 1);
        painter.fillRect(QRectF(left, chart.Plot().top(), right - left, chart.Plot().height()),
                         AlarmShade);
    }
    QPen dashed(TChartPainter::SeriesColour(csLTR).darker(150), 1, Qt::DashLine);
    painter.setPen(dashed);
    for (double threshold : {report.Threshold, -report.Threshold}) {
        const double y = chart.Map(csLTR, {0, threshold}).y();
        painter.drawLine(QPointF(chart.Plot().left(), y), QPointF(chart.Plot().right(), y));
    }
    painter.restore();
}

double PaintCharts(QPainter &painter, const TDriveReport &report, double top)
{
    const QList<TDriveRecord> &records = report.Log.Records;
    const TTimeAxis time = TimeAxisFor(report.Summary.DurationSeconds);
    const TAxisRange bottom{0, std::max(report.Summary.DurationSeconds / time.Divisor, 1e-3), 0};
    const TDriveSummary &summary = report.Summary;

    TChartModel drive;
    drive.SetSeries(csTiltY, Series(records, time.Divisor, &TDriveRecord::TiltY));
    drive.SetSeries(csTiltX, Series(records, time.Divisor, &TDriveRecord::TiltX));
    drive.SetSeries(csAccY, Series(records, time.Divisor, &TDriveRecord::AccY));
    drive.SetSeries(csAccX, Series(records, time.Divisor, &TDriveRecord::AccX));
    drive.SetSeries(csLTR, Series(records, time.Divisor, &TDriveRecord::Ltr));
    TChartPainter main(drive);
    main.LabelFont = TextFont(7);
    main.Bottom = bottom;
    const double angle =
        AxisLimit(std::max(Magnitude(summary.TiltX), Magnitude(summary.TiltY)), {1, 5, 10, 30, 90});
    main.Left = {-angle, angle, angle / AxisIntervals};
    // The threshold stands inside the plot, not on its edge.
    const double right = AxisLimit(std::max({Magnitude(summary.AccX), Magnitude(summary.AccY),
                                             Magnitude(summary.Ltr), report.Threshold * 1.25}),
                                   {0.5, 1, 2, 5});
    main.Right = {-right, right, right / AxisIntervals};
    main.LineWidth = LineWidth;

    TChartModel speedModel;
    for (int series = 0; series < ChartSeriesCount; ++series)
        speedModel.SetSeriesOn(series, false);
    speedModel.SetSeries(csTemperature, Series(records, time.Divisor, &TDriveRecord::Speed));
    TChartPainter speed(speedModel);
    speed.Heading = QStringLiteral("Speed [km/h]");
    speed.SeriesTitles[csTemperature] = QStringLiteral("speed");
    speed.Colours[csTemperature] = SpeedColour;
    speed.LabelFont = main.LabelFont;
    speed.Bottom = bottom;
    const double fastest = std::max_element(records.cbegin(), records.cend(),
                                            [](const TDriveRecord &a, const TDriveRecord &b) {
                                                return a.Speed < b.Speed;
                                            })
                               ->Speed;
    const double speedLimit = AxisLimit(fastest, {10, 20, 50, 100, 150});
    speed.Left = {0, speedLimit, speedLimit / 2};
    speed.Right = speed.Left;
    speed.LineWidth = LineWidth;

    const double width = ReportPage::Size.width() - 2 * Margin;
    main.Layout(QRectF(Margin, top, width, MainChartHeight));
    speed.Layout(QRectF(Margin, top + MainChartHeight, width, SpeedChartHeight));
    // One time axis: both plots span the same columns.
    const double left = std::max(main.Plot().left(), speed.Plot().left());
    const double plotRight = std::min(main.Plot().right(), speed.Plot().right());
    main.AlignPlot(left, plotRight);
    speed.AlignPlot(left, plotRight);
    main.PaintAll(painter);
    PaintAlarms(painter, main, report, time.Divisor);
    speed.PaintAll(painter);

    painter.setFont(TextFont(7));
    painter.setPen(Qt::black);
    const double below = top + MainChartHeight + SpeedChartHeight;
    painter.drawText(QRectF(left, below, plotRight - left, 12), Qt::AlignHCenter, time.Caption);
    return below + 14;
}

void PaintTable(QPainter &painter, const TDriveReport &report, double top)
{
    painter.setPen(Qt::black);
    const QList<QStringList> rows = ExtremesTable(report);
    const double widths[] = {120, 70, 130, 100};
    const double rowHeight = 12;
    double y = top;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        painter.setFont(TextFont(8, row == 0));
        double x = Margin;
        for (qsizetype column = 0; column < rows[row].size(); ++column) {
            painter.drawText(QRectF(x, y, widths[column], rowHeight),
                             (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                             rows[row][column]);
            x += widths[column] + (column == 0 ? 0 : 8);
        }
        y += rowHeight;
        if (row == 0)
            painter.drawLine(QPointF(Margin, y), QPointF(x, y));
    }
    painter.setFont(TextFont(8));
    DrawFields(painter, ReportCounts(report), {Margin + 470, top + rowHeight}, 130, 150);
}

void PaintEvents(QPainter &painter, const TDriveReport &report)
{
    painter.setPen(Qt::black);
    painter.setFont(TextFont(12, true));
    const QFontMetricsF titleMetrics(painter.font());
    painter.drawText(QPointF(Margin, Margin + titleMetrics.ascent()),
                     QStringLiteral("Events: %1").arg(report.FileName));
    painter.setFont(TextFont(7));
    const QFontMetricsF metrics(painter.font());
    double y = Margin + titleMetrics.height() + 6;
    for (const QString &line : ReportEvents(report)) {
        painter.drawText(QRectF(Margin, y, ReportPage::Size.width() - 2 * Margin, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, line);
        y += metrics.height();
    }
}

}  // namespace

int ReportPage::Count(const TDriveReport &report)
{
    return report.Events.Events.isEmpty() ? 1 : 2;
}

void ReportPage::Paint(QPainter &painter, const TDriveReport &report, int page)
{
    painter.fillRect(QRectF(QPointF(0, 0), Size), Qt::white);
    if (page > 0) {
        PaintEvents(painter, report);
        return;
    }
    double top = PaintHead(painter, report, Margin);
    if (!report.Log.Records.isEmpty())
        top = PaintCharts(painter, report, top);
    PaintTable(painter, report, top + 4);
}
