#pragma once
// A replay's moves as the rest of the program must take them. A log holds one run of time: a
// move back (a new pass from the start, a seek back) stops a running log first, its events
// record saying why. The supervision judges one unbroken stretch of the trace: it starts
// afresh at every move, a play after a pause included, so that a jump is neither a gap of
// lost samples nor a second pass added to the first; and while the replay waits (paused, at
// the end), when the trace's clock stands, its time goes on with the real one, so that its
// rates fall to 0 as on a silent bus.

#include "acquisition/uAcquisition.h"
#include "trace/uReplay.h"

#include <QObject>

#include <functional>
#include <optional>

class TReplayTimeLine : public QObject
{
    Q_OBJECT
public:
    // The replay and the acquisition outlive this; events: the events record's sink, or null.
    TReplayTimeLine(TReplay &replay, TAcquisition &acquisition, TEventSink *events,
                    QObject *parent = nullptr);

    // The running log, whose stop goes through the window's log box.
    std::function<bool()> LogRunning;
    std::function<void()> StopLog;

    // At each display tick; realUs on the monotonic clock.
    void Tick(qint64 realUs);

private:
    void Moving(qint64 fromUs, qint64 toUs);

    TReplay &m_replay;
    TAcquisition &m_acquisition;
    TEventSink *m_events;
    std::optional<qint64> m_waitingSinceUs;  // real time the replay stopped playing
};
