#pragma once
// The demo run's synthetic unit: randomly wandering tilts, accelerations derived from them, a
// rising temperature and a sinusoidal LTR, one chart window long.

#include "protocol/uSensorData.h"

#include <functional>
#include <random>

class TAcquisition;

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

// Samples 1..count of a run with the seed, handed to the acquisition's sinks as unit 1's.
// between runs after each sample and ends the run early by returning false.
void RunDemo(TAcquisition &acquisition, int count, quint32 seed,
             const std::function<bool()> &between);
