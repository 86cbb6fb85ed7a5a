#include "display/uChartThinning.h"

#include <cmath>

QList<QPointF> ThinnedForColumns(const QList<QPointF> &points, double xMin, double xMax,
                                 int columns)
{
    if (columns <= 0 || xMax <= xMin || points.size() <= 2 * qsizetype(columns))
        return points;
    const double scale = columns / (xMax - xMin);
    QList<QPointF> thinned;
    thinned.reserve(2 * columns + 2);
    qsizetype first = 0;
    while (first < points.size()) {
        // The run of points that falls into the same column.
        const double column = std::floor((points[first].x() - xMin) * scale);
        qsizetype low = first, high = first, end = first + 1;
        for (; end < points.size() && std::floor((points[end].x() - xMin) * scale) == column;
             ++end) {
            if (points[end].y() < points[low].y())
                low = end;
            if (points[end].y() > points[high].y())
                high = end;
        }
        thinned << points[std::min(low, high)];
        if (low != high)
            thinned << points[std::max(low, high)];
        first = end;
    }
    return thinned;
}
