#pragma once
// What a completed sample of unit 1 goes to: the chart, the log. Live samples and the demo
// run's samples take the same way.

#include "protocol/uSensorData.h"

#include <QTime>

struct TSampleMoment {
    QTime Time;         // the wall clock's time of day
    int DemoIndex = 0;  // 1..N in the demo run; 0 for a sample from the bus
};

class TSampleSink
{
public:
    virtual ~TSampleSink() = default;
    virtual void SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment) = 0;
};
