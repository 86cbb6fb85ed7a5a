#pragma once
// The program's clocks, replaceable in tests: local wall time for texts, file names and the
// decoded time stamps, and a monotonic clock for elapsed times, which a change of the wall
// clock (daylight saving, a time synchronisation) must not disturb.

#include <QDateTime>

// Local date-time as a count of days, the fraction being the time of day.
double DateTimeToDays(const QDateTime &local);

struct TTimeStamp {
    double Wall = 0;         // local date-time in days
    qint64 MonotonicMs = 0;  // ms on the monotonic clock
};

class TClock
{
public:
    virtual ~TClock() = default;
    virtual QDateTime LocalNow() const;
    virtual qint64 MonotonicMs() const;
    TTimeStamp Now() const { return {DateTimeToDays(LocalNow()), MonotonicMs()}; }
};
