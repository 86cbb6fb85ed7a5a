#pragma once
// The channel's life beyond the vendor's calls: a backend that finishes connecting in the
// event loop, and an adapter that goes away (a pulled USB cable, the virtual bus server
// ending) and is tried again with a growing pause until it answers or the user disconnects.

#include "adapter/PCANBasic.h"

#include <QString>

enum class TLinkChange {
    None,
    OpenFailed,  // a Connect failed, at once or while the backend was still connecting
    Lost,        // the adapter went away; tries to reconnect follow
    Restored,    // a reconnect succeeded
};

class TAdapterLink
{
public:
    static constexpr qint64 ConnectTimeoutMs = 5000;  // longest a backend may take to connect
    static constexpr qint64 FirstRetryMs = 500;       // pause before the first reconnect
    static constexpr qint64 LongestRetryMs = 5000;    // the pause doubles up to this
    static constexpr qint64 ReadFailureMs = 1000;     // failing reads for this long: gone

    enum class TPhase { Closed, Connecting, Open, Lost };

    // Initialize; OpenFailed or None (open, or still connecting).
    TLinkChange Open(TPCANHandle channel, TPCANBaudrate baudrate, qint64 nowMs);
    // Uninitialize, whatever the phase; the result is not examined.
    void Close();
    // Every CAN tick while not closed, after the queue was drained: frames and readFailed
    // tell what the drain saw (reads failing with frames coming are errors, not a loss).
    TLinkChange Poll(qint64 nowMs, int frames, bool readFailed);

    TPhase Phase() const { return m_phase; }
    // Frames flow only in the open phase.
    bool IsOpen() const { return m_phase == TPhase::Open; }
    // Why the last Connect failed or the adapter was lost, in the backend's words.
    const QString &Problem() const { return m_problem; }
    // When the adapter was lost (monotonic ms), for how long it stays away.
    qint64 LostAtMs() const { return m_lostAtMs; }

private:
    TLinkChange LoseAdapter(qint64 nowMs, const QString &why);
    TLinkChange TryReconnect(qint64 nowMs);
    void ScheduleRetry(qint64 nowMs);

    TPhase m_phase = TPhase::Closed;
    TPCANHandle m_channel = 0;
    TPCANBaudrate m_baudrate = 0;
    bool m_reconnecting = false;     // the connecting phase is a reconnect
    qint64 m_deadlineMs = 0;         // connecting: give up then; lost: next try then
    qint64 m_retryPauseMs = 0;       // the pause after the next failed try
    qint64 m_readFailingSince = -1;  // monotonic ms, -1 while reads work
    qint64 m_lostAtMs = 0;
    QString m_problem;
};
