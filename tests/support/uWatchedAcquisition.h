#pragma once
// An acquisition on the fake bus and clock with everything it reports written down, as the
// windows and the events record would take it.

#include "acquisition/uAcquisition.h"
#include "base/uDriveEvents.h"
#include "support/uFakeCanDevice.h"
#include "support/uFakeClock.h"

#include <QStringList>

class TRecordedEvents : public TEventSink
{
public:
    void DriveEventOccurred(const char *event, const QString &details) override
    {
        Lines << QString::fromUtf8(event) + QStringLiteral(": ") + details;
    }
    QStringList Lines;  // "event: details"
};

class TRecordingSink : public TSampleSink
{
public:
    void SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment) override
    {
        Samples << qMakePair(state.Sensors[1].FrameCounter, moment.DemoIndex);
        Times << moment.Time;
    }
    QList<QPair<int, int>> Samples;  // frame counter, demo index
    QList<QTime> Times;
};

// An acquisition with every report written down, as a window would show them.
struct TWatched {
    explicit TWatched(TFakeBehaviour behaviour = {}) : Bus(behaviour)
    {
        Acquisition.TrafficWanted = true;
        Acquisition.OnTrafficFrame = [this](const char *prefix, const TPCANMsg &message) {
            Reports << TrafficLine(prefix, message);
        };
        Acquisition.OnTrafficLine = [this](const QString &line) { Reports << line; };
        Acquisition.OnStatusCaption = [this](const QString &caption) {
            Reports << "caption " + caption;
        };
        Acquisition.OnChannelChanged = [this](bool open) { Reports << (open ? "open" : "closed"); };
        Acquisition.AddSink(First);
        Acquisition.AddSink(Second);
        Acquisition.SetEventSink(&Events);
    }

    TFakeCanBus Bus;
    TFakeClock Clock;
    TAcquisition Acquisition{Clock};
    TRecordingSink First, Second;
    TRecordedEvents Events;
    QStringList Reports;
};
