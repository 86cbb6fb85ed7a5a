#include "supervision/uBusHealth.h"

void TBusHealth::Reset()
{
    TEventSink *sink = m_sink;
    *this = TBusHealth();
    m_sink = sink;
}

void TBusHealth::NoteErrors(const QList<TAdapterError> &errors, int dropped, qint64 nowMs)
{
    if (errors.isEmpty() && dropped == 0)
        return;
    m_errors += errors.size() + dropped;
    m_pendingErrors += errors.size() + dropped;
    if (!errors.isEmpty())
        m_lastText = errors.last().Text;
    Tick(nowMs);
}

void TBusHealth::NoteErrorFrame(qint64 nowMs)
{
    ++m_errorFrames;
    ++m_pendingFrames;
    Tick(nowMs);
}

void TBusHealth::NoteStatus(TPCANStatus status)
{
    const QString state = BusStateText(status);
    if (state == m_state)
        return;
    m_state = state;
    if (m_sink && !state.isEmpty())
        m_sink->DriveEventOccurred(DriveEvent::BusState, state);
}

void TBusHealth::Tick(qint64 nowMs)
{
    if ((m_pendingErrors > 0 || m_pendingFrames > 0) && nowMs - m_lastEventMs >= EventEveryMs)
        Report(nowMs);
}

void TBusHealth::ReportPending(qint64 nowMs)
{
    if (m_pendingErrors > 0 || m_pendingFrames > 0)
        Report(nowMs);
}

void TBusHealth::Report(qint64 nowMs)
{
    m_lastEventMs = nowMs;
    QStringList parts;
    if (m_pendingErrors > 0)
        parts << QStringLiteral("%1 adapter error%2 (last: %3)")
                     .arg(m_pendingErrors)
                     .arg(m_pendingErrors == 1 ? "" : "s", m_lastText);
    if (m_pendingFrames > 0)
        parts << QStringLiteral("%1 error frame%2")
                     .arg(m_pendingFrames)
                     .arg(m_pendingFrames == 1 ? "" : "s");
    m_pendingErrors = m_pendingFrames = 0;
    if (m_sink)
        m_sink->DriveEventOccurred(DriveEvent::BusError, parts.join(QStringLiteral(", ")));
}

QString BusStateText(TPCANStatus status)
{
    switch (status) {
    case PCAN_ERROR_OK:
        return QStringLiteral("error active");
    case PCAN_ERROR_BUSLIGHT:
    case PCAN_ERROR_BUSHEAVY:
        return QStringLiteral("warning");
    case PCAN_ERROR_BUSPASSIVE:
        return QStringLiteral("passive");
    case PCAN_ERROR_BUSOFF:
        return QStringLiteral("bus off");
    default:
        return {};
    }
}
