#include "supervision/uRateWindow.h"

#include <algorithm>

namespace {

qint64 BucketOf(qint64 us)
{
    return us / TRateWindow::BucketUs;
}

// Never outside the ring, even for a time before the clock's zero.
int SlotOf(qint64 bucket)
{
    constexpr qint64 Slots = TRateWindow::Buckets + 1;
    const qint64 slot = bucket % Slots;
    return int(slot < 0 ? slot + Slots : slot);
}

}  // namespace

void TRateWindow::Count(qint64 us)
{
    const qint64 number = BucketOf(us);
    TBucket &bucket = m_buckets[SlotOf(number)];
    if (bucket.Number > number)
        return;  // the slot already holds a later bucket
    if (bucket.Number < number)
        bucket = {number, 0};
    ++bucket.Count;
}

double TRateWindow::PerSecond(qint64 startUs, qint64 nowUs) const
{
    const qint64 now = BucketOf(nowUs);
    const qint64 span = std::min<qint64>(Buckets, now - BucketOf(startUs) - 1);
    if (span <= 0)
        return 0.0;
    qint64 events = 0;
    for (const TBucket &bucket : m_buckets)
        if (bucket.Number >= now - span && bucket.Number < now)
            events += bucket.Count;
    return double(events) * 1e6 / double(span * BucketUs);
}
