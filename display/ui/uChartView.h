#pragma once
// The chart of the Logging page: draws the chart model with its own painter onto a picture it
// keeps, adds the segments the series gained at each refresh and draws everything again only
// after a clearing or a change of size, scale, visibility or pixel ratio. Hovering over the
// plot tells the values there.

#include "display/ui/uChartPainter.h"

#include <QImage>
#include <QWidget>

#include <array>

class TChartView : public QWidget
{
public:
    explicit TChartView(TChartModel &model, QWidget *parent = nullptr);

    void SetAxes(const TAxisRange &left, const TAxisRange &right, const TAxisRange &bottom);
    const TAxisRange &LeftAxis() const { return m_painter.Left; }
    const TAxisRange &RightAxis() const { return m_painter.Right; }
    const TAxisRange &BottomAxis() const { return m_painter.Bottom; }
    // The series shown changed: the legend and the lines are drawn again.
    void SeriesChanged();
    // Draws what the model gained since the last call; one repaint at the most.
    void Refresh();
    // Points of a series on the picture; none while it is hidden.
    qsizetype DrawnPoints(int series) const { return m_drawn[size_t(series)]; }
    // The whole chart as the widget shows it.
    QImage Picture() const { return m_picture; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void DrawAll();
    void Describe();

    TChartModel &m_model;
    TChartPainter m_painter;
    QImage m_picture;
    std::array<qsizetype, ChartSeriesCount> m_drawn{};
    int m_drawnResets = -1;
    bool m_whole = true;  // the picture must be drawn again from scratch
};
