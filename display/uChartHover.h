#pragma once
// What hovering over the chart tells: the time (or the sample number) under the pointer and,
// for every shown series, its value at the point nearest to it.

#include "display/uChartModel.h"

#include <QString>

// The series' names, as the legend and the hover text give them.
QString ChartSeriesTitle(int series);

// One line each, time first; empty where no shown series has a point within a sample's step
// of x.
QString ChartValuesAt(const TChartModel &model, double x);
