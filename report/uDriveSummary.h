#pragma once
// How close the vehicle came to rolling over: the largest magnitude of each value with when it
// happened and the speed then, and the time the LTR spent above the threshold.

#include "report/uDriveLog.h"

struct TExtreme {
    bool Found = false;
    double Value = 0;  // signed: the side it leaned to
    double Seconds = 0;
    double Speed = 0;  // km/h, of the same record
};

struct TDriveSummary {
    TExtreme Ltr;
    TExtreme TiltX;
    TExtreme TiltY;
    TExtreme AccX;
    TExtreme AccY;
    double SecondsAboveThreshold = 0;
    double DurationSeconds = 0;  // first to last record
};

// A record counts above the threshold as the alarm counts it (|LTR| above, equal is not), for
// the time to the next record; over a gap of the record (lost samples, an outage) at most a
// second, the longest a record stands for.
TDriveSummary SummariseDrive(const QList<TDriveRecord> &records, double threshold);
