#pragma once
// The drive report's pages, drawn on any QPainter in points (1/72 inch): an A4 page in
// landscape. The first page holds the head, the whole drive over time (LTR with the threshold
// and the alarms shaded, both tilt angles, both accelerations, and below it the speed, on one
// time axis) and the extremes; the second the events.

#include "report/uDriveReport.h"

#include <QSizeF>

class QPainter;

namespace ReportPage {
inline constexpr QSizeF Size{841.9, 595.3};  // A4, landscape
// The events record's page follows where there is one.
int Count(const TDriveReport &report);
void Paint(QPainter &painter, const TDriveReport &report, int page);
}  // namespace ReportPage
