#pragma once
// The demo run's synthetic unit: randomly wandering tilts, accelerations derived from them, a
// rising temperature and a sinusoidal LTR, one chart window long.

#include "can/uSensorData.h"

#include <random>

class TDemoGenerator
{
public:
    explicit TDemoGenerator(quint32 seed) : m_random(seed) {}

    // Turns unit 1 into sample i (1..N) from the values it holds; the draws happen in a fixed
    // order, so a seed always gives the same run.
    void NextSample(int i, TSensorSample &unit);

private:
    // A whole number from 0 to n − 1.
    int R(int n);

    std::mt19937 m_random;
};
