#include "report/uDriveSummary.h"

#include <algorithm>
#include <cmath>

namespace {

void Consider(TExtreme &extreme, double value, const TDriveRecord &record)
{
    if (extreme.Found && std::abs(value) <= std::abs(extreme.Value))
        return;  // the first of equal magnitudes is when it was reached
    extreme = {true, value, record.Seconds, record.Speed};
}

}  // namespace

TDriveSummary SummariseDrive(const QList<TDriveRecord> &records, double threshold)
{
    TDriveSummary summary;
    if (records.isEmpty())
        return summary;
    summary.DurationSeconds = records.last().Seconds - records.first().Seconds;
    constexpr double LongestRecordSeconds = 1.0;
    double lastStep = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const TDriveRecord &record = records[i];
        Consider(summary.Ltr, record.Ltr, record);
        Consider(summary.TiltX, record.TiltX, record);
        Consider(summary.TiltY, record.TiltY, record);
        Consider(summary.AccX, record.AccX, record);
        Consider(summary.AccY, record.AccY, record);
        if (i + 1 < records.size())
            lastStep = std::min(records[i + 1].Seconds - record.Seconds, LongestRecordSeconds);
        if (std::abs(record.Ltr) > threshold)
            summary.SecondsAboveThreshold += lastStep;
    }
    return summary;
}
