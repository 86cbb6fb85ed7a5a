#pragma once
// SIGINT, SIGTERM and SIGHUP (Ctrl+C, a service manager's stop or a shutdown, a logout) as a
// request in the event loop, so that a log ends between two ticks with its files whole. The handler
// does nothing but write the signal's number into a pipe the event loop watches: nothing else is
// safe inside it. The first signal is a request; a second one ends the program at once, for a stop
// that hangs on a dead disk.

#include <QObject>

#include <functional>
#include <memory>

class TStopSignals
{
public:
    // One at a time: the handlers are the process's.
    explicit TStopSignals(std::function<void()> onRequest);
    ~TStopSignals();

    TStopSignals(const TStopSignals &) = delete;
    TStopSignals &operator=(const TStopSignals &) = delete;

private:
    void Received();

    std::function<void()> m_onRequest;
    std::unique_ptr<QObject> m_watch;  // what tells the event loop of a signal
};
