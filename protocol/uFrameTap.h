#pragma once
// Every frame the program takes from the bus or puts on it, in the order it does so: what
// the raw trace beside a log is made of.

#include "adapter/PCANBasic.h"

class TFrameTap
{
public:
    virtual ~TFrameTap() = default;
    // timeUs: the frame's time in µs since the epoch, on the connection's time line (the
    // adapter's stamp, or when the program took the frame or handed it over).
    virtual void FrameSeen(const TPCANMsg &message, bool sent, qint64 timeUs) = 0;
};
