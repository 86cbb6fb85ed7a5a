#pragma once
// The live chart's drawing, on any QPainter: the window's chart, an image in tests, a page.
// Title, legend with colour swatches, the angle axis on the left, the acceleration and LTR
// axis on the right, the time axis below, the grid, and the series of the chart model as
// 2-pixel lines, the hidden ones left out. Laid out for a given rectangle, it can draw the
// whole chart or only the segments a series gained.

#include "display/uChartModel.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;

struct TChartLabel {
    QString Text;
    double Value;
};

class TChartPainter
{
public:
    static constexpr const char *Title = "Tilt angle [°], Acceleration [g], LTR [0..1]";

    explicit TChartPainter(const TChartModel &model);

    static QColor SeriesColour(int series);
    static bool OnRightAxis(int series);

    // What a chart of other values (a report's speed) shows instead of the live chart's words.
    QString Heading = QString::fromUtf8(Title);
    std::array<QString, ChartSeriesCount> SeriesTitles;
    std::array<QColor, ChartSeriesCount> Colours;
    double LineWidth = 2;

    TAxisRange Left;
    TAxisRange Right;
    TAxisRange Bottom;
    QFont LabelFont;  // of the axes and the legend

    // Places title, legend, axes and plot in the area; call again after a change of size,
    // font or axis.
    void Layout(const QRectF &area);
    const QRectF &Plot() const { return m_plot; }
    // Narrows the plot to these columns after Layout, so that charts above one another share
    // their time axis.
    void AlignPlot(double left, double right)
    {
        m_plot.setLeft(left);
        m_plot.setRight(right);
    }
    // The labels of an axis, at their values: the increment's multiples from the minimum.
    static QList<TChartLabel> Labels(const TAxisRange &axis);

    // Everything: background, title, legend, axes, grid and every shown series.
    void PaintAll(QPainter &painter) const;
    // The segments of a series from point `from` on, over what is drawn already.
    void PaintSegments(QPainter &painter, int series, qsizetype from) const;

    QPointF Map(int series, const QPointF &value) const;
    // The x value under a pixel column of the plot.
    double XAt(double pixelX) const;

private:
    void PaintFrame(QPainter &painter) const;
    void PaintLegend(QPainter &painter) const;
    void PaintAxisLabels(QPainter &painter) const;
    void PaintLine(QPainter &painter, int series, const QList<QPointF> &points) const;
    double PixelY(int series, double value) const;
    double PixelX(double value) const;

    const TChartModel &m_model;
    QRectF m_area;
    QRectF m_plot;
    QRectF m_legend;
    QRectF m_title;
};
