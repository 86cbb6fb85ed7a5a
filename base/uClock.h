#pragma once
// The program's clocks, replaceable in tests: local wall time for texts, file names and the
// decoded time stamps, and a monotonic clock for elapsed times, which a change of the wall
// clock (daylight saving, a time synchronisation) must not disturb.

#include <QDateTime>

// The monotonic clock in µs, the one TClock::MonotonicMs reads.
qint64 SteadyUs();

// Local date-time as a count of days, the fraction being the time of day.
double DateTimeToDays(const QDateTime &local);

struct TTimeStamp {
    double Wall = 0;         // local date-time in days
    qint64 MonotonicMs = 0;  // ms on the monotonic clock
};

// Both clocks read at one moment: what a log's start needs to time its raw trace.
struct TClockReading {
    TClockReading(const QDateTime &local, qint64 monotonicMs = 0)
        : Local(local), MonotonicMs(monotonicMs)
    {
    }
    QDateTime Local;
    qint64 MonotonicMs;
};

class TClock
{
public:
    virtual ~TClock() = default;
    virtual QDateTime LocalNow() const;
    virtual qint64 MonotonicMs() const;
    // How fast this clock runs against the real one: a trace replayed at 10x runs ten times
    // as fast, and a display tick then spans ten times as much of its time.
    virtual double Rate() const { return 1.0; }
    // Whether the frames read carry this clock's time of their own (a replayed trace): the
    // program then takes each frame's time stamp as the moment it was read.
    virtual bool FramesCarryTime() const { return false; }
    TTimeStamp Now() const { return {DateTimeToDays(LocalNow()), MonotonicMs()}; }
    TClockReading Read() const { return {LocalNow(), MonotonicMs()}; }
};
