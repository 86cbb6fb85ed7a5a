#include "trace/uReplayTimeLine.h"

#include <QDateTime>

TReplayTimeLine::TReplayTimeLine(TReplay &replay, TAcquisition &acquisition, TEventSink *events,
                                 QObject *parent)
    : QObject(parent), m_replay(replay), m_acquisition(acquisition), m_events(events)
{
    connect(&m_replay, &TReplay::Moving, this, &TReplayTimeLine::Moving);
}

void TReplayTimeLine::Tick(qint64 realUs)
{
    if (m_replay.Playing()) {
        m_waitingSinceUs.reset();
        return;
    }
    if (!m_waitingSinceUs)
        m_waitingSinceUs = realUs;
    const qint64 nowUs = m_replay.TraceTimeUs(realUs) + (realUs - *m_waitingSinceUs);
    m_acquisition.Supervision.AdvanceTo(QDateTime::fromMSecsSinceEpoch(nowUs / 1000));
}

// Called while the program's clock still reads fromUs: what is written now is timed before
// the move.
void TReplayTimeLine::Moving(qint64 fromUs, qint64 toUs)
{
    m_waitingSinceUs.reset();
    // Losses the supervision still holds go into the log they belong to.
    m_acquisition.Supervision.Reset();
    if (toUs >= fromUs || !LogRunning || !LogRunning())
        return;
    if (m_events) {
        const QString to = toUs == m_replay.StartUs()
                               ? QStringLiteral("from the start again")
                               : QStringLiteral("back to %1")
                                     .arg(QDateTime::fromMSecsSinceEpoch(toUs / 1000)
                                              .toString(QStringLiteral("HH:mm:ss.zzz")));
        m_acquisition.ReportHeldEvents();
        m_events->DriveEventOccurred(
            DriveEvent::ReplayMovedBack,
            to + QStringLiteral(", the log stops: its times would run back"));
    }
    if (StopLog)
        StopLog();
}
