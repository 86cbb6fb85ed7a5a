#pragma once
// The program's clocks, replaceable in tests: local wall time for texts, file names and the
// decoded time stamps.

#include <QDateTime>

// Local date-time as a count of days, the fraction being the time of day.
double DateTimeToDays(const QDateTime &local);

class TClock
{
public:
    virtual ~TClock() = default;
    virtual QDateTime LocalNow() const { return QDateTime::currentDateTime(); }
    double Now() const { return DateTimeToDays(LocalNow()); }
};
