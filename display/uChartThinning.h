#pragma once
// What a line chart needs of a long series to draw it at a given width: in every pixel
// column only the lowest and the highest point, in the order they came. The drawn line
// covers the same pixels within one, and the chart library strokes half as many points.

#include <QList>
#include <QPointF>

// columns: the plot's width in pixels. A series with at most two points per column is
// returned as it is.
QList<QPointF> ThinnedForColumns(const QList<QPointF> &points, double xMin, double xMax,
                                 int columns);
