#include "app/uClock.h"

double DateTimeToDays(const QDateTime &local)
{
    static const QDate Epoch(1899, 12, 30);
    return double(Epoch.daysTo(local.date())) + local.time().msecsSinceStartOfDay() / 86400000.0;
}
