#include "base/uClock.h"

#include <QElapsedTimer>

double DateTimeToDays(const QDateTime &local)
{
    static const QDate Epoch(1899, 12, 30);
    return double(Epoch.daysTo(local.date())) + local.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime TClock::LocalNow() const
{
    return QDateTime::currentDateTime();
}

qint64 SteadyUs()
{
    static const QElapsedTimer Start = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return Start.nsecsElapsed() / 1000;
}

qint64 TClock::MonotonicMs() const
{
    return SteadyUs() / 1000;
}
