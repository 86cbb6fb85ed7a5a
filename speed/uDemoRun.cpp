#include "speed/uDemoRun.h"

#include "acquisition/uAcquisition.h"

#include <cmath>

int TDemoGenerator::R(int n)
{
    return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_random);
}

void TDemoGenerator::NextSample(int i, TSensorSample &unit)
{
    unit.FrameCounter = i % 256;
    const double stepY = R(100) / 100.0;
    const double rippleY = R(100) / 10000.0;
    unit.TiltY = unit.TiltY - 0.5 + stepY + rippleY + std::sin(i / 40.0) / 100.0;
    unit.AccY = (1 + R(500) / 1000.0) * unit.TiltY;
    const int wander = R(i);
    const double stepX = R(100) / 100.0;
    const double rippleX = R(100) / 10000.0;
    unit.TiltX = unit.TiltX - 0.5 + stepX - rippleX + std::sin(wander / 40.0) / 100.0;
    unit.AccX = (1.5 + R(500) / 1000.0) * unit.TiltX + 2;
    unit.Temperature = 20 + i / 100.0;
    unit.LTR = (std::sin(i / 30.0) + 1) / 2;
}

void RunDemo(TAcquisition &acquisition, int count, quint32 seed,
             const std::function<bool()> &between)
{
    TSensorSample &unit = acquisition.State.Sensors[1];
    unit.TiltX = 0;
    TDemoGenerator generator(seed);
    for (int i = 1; i <= count; ++i) {
        generator.NextSample(i, unit);
        acquisition.CompleteDemoSample(i);
        if (!between())
            return;
    }
}
