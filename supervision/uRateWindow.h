#pragma once
// Events per second over the last two seconds of the frames' clock, counted exactly in 100 ms
// buckets: a fixed ring, however long the drive and however fast the bus. Two seconds, so that
// a unit that falls silent reads 0 about two seconds later.

#include <QtGlobal>

#include <array>

class TRateWindow
{
public:
    static constexpr qint64 BucketUs = 100000;
    static constexpr int Buckets = 20;

    // One event at us (µs on the frames' clock); an event older than the window is dropped.
    void Count(qint64 us);
    // Over the whole buckets between startUs (the clock's first moment, whose bucket is only
    // part of one) and nowUs (whose bucket is not over yet); 0 until one bucket is over.
    double PerSecond(qint64 startUs, qint64 nowUs) const;

private:
    struct TBucket {
        qint64 Number = -1;  // which 100 ms of the clock it holds; -1: none yet
        int Count = 0;
    };
    // The window's buckets and the one still filling.
    std::array<TBucket, Buckets + 1> m_buckets;
};
