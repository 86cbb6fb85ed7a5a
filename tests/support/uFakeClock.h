#pragma once
// A clock that stands still until a test moves it.

#include "base/uClock.h"

class TFakeClock : public TClock
{
public:
    QDateTime LocalNow() const override
    {
        return QDateTime(QDate(2026, 3, 29), QTime(2, 0)).addMSecs(Ms);
    }
    qint64 MonotonicMs() const override { return Ms; }
    qint64 Ms = 100000;
};
