#include "adapter/uAdapterLink.h"

#include <algorithm>

TLinkChange TAdapterLink::Open(TPCANHandle channel, TPCANBaudrate baudrate, qint64 nowMs)
{
    m_channel = channel;
    m_baudrate = baudrate;
    m_reconnecting = false;
    m_readFailingSince = -1;
    if (TPCANBasic::Initialize(channel, baudrate, PCAN_TYPE_ISA, 0, 0) != PCAN_ERROR_OK) {
        m_problem = TPCANBasic::LastErrorText();
        m_phase = TPhase::Closed;
        return TLinkChange::OpenFailed;
    }
    m_problem.clear();
    m_phase = TPhase::Connecting;
    m_deadlineMs = nowMs + ConnectTimeoutMs;
    // A backend that connected at once is open at once.
    return Poll(nowMs, 0, false);
}

void TAdapterLink::Close()
{
    TPCANBasic::Uninitialize(m_channel);
    m_phase = TPhase::Closed;
    m_problem.clear();
}

TLinkChange TAdapterLink::Poll(qint64 nowMs, int frames, bool readFailed)
{
    switch (m_phase) {
    case TPhase::Closed:
        return TLinkChange::None;
    case TPhase::Lost:
        return nowMs >= m_deadlineMs ? TryReconnect(nowMs) : TLinkChange::None;
    case TPhase::Connecting:
        switch (TPCANBasic::AdapterState()) {
        case TAdapterState::Connected:
            m_phase = TPhase::Open;
            return m_reconnecting ? TLinkChange::Restored : TLinkChange::None;
        case TAdapterState::Connecting:
            if (nowMs < m_deadlineMs)
                return TLinkChange::None;
            break;
        default:
            break;
        }
        if (!m_reconnecting) {
            m_problem = TPCANBasic::AdapterState() == TAdapterState::Connecting
                            ? QStringLiteral("the adapter did not connect within %1 s")
                                  .arg(ConnectTimeoutMs / 1000)
                            : TPCANBasic::LastErrorText();
            TPCANBasic::Uninitialize(m_channel);
            m_phase = TPhase::Closed;
            return TLinkChange::OpenFailed;
        }
        TPCANBasic::Uninitialize(m_channel);
        m_phase = TPhase::Lost;
        ScheduleRetry(nowMs);
        return TLinkChange::None;
    case TPhase::Open:
        break;
    }

    if (TPCANBasic::AdapterState() != TAdapterState::Connected)
        return LoseAdapter(nowMs, TPCANBasic::LastErrorText());
    // Some backends stay "connected" when their device is gone and only fail every read.
    if (!readFailed || frames > 0) {
        m_readFailingSince = -1;
        return TLinkChange::None;
    }
    if (m_readFailingSince < 0)
        m_readFailingSince = nowMs;
    if (nowMs - m_readFailingSince < ReadFailureMs)
        return TLinkChange::None;
    return LoseAdapter(nowMs, QStringLiteral("reads from the adapter keep failing"));
}

TLinkChange TAdapterLink::LoseAdapter(qint64 nowMs, const QString &why)
{
    m_problem = why;
    m_lostAtMs = nowMs;
    m_readFailingSince = -1;
    TPCANBasic::Uninitialize(m_channel);
    m_phase = TPhase::Lost;
    m_retryPauseMs = FirstRetryMs;
    m_deadlineMs = nowMs + m_retryPauseMs;
    return TLinkChange::Lost;
}

TLinkChange TAdapterLink::TryReconnect(qint64 nowMs)
{
    m_reconnecting = true;
    if (TPCANBasic::Initialize(m_channel, m_baudrate, PCAN_TYPE_ISA, 0, 0) != PCAN_ERROR_OK) {
        ScheduleRetry(nowMs);
        return TLinkChange::None;
    }
    m_phase = TPhase::Connecting;
    m_deadlineMs = nowMs + ConnectTimeoutMs;
    return Poll(nowMs, 0, false);
}

void TAdapterLink::ScheduleRetry(qint64 nowMs)
{
    m_retryPauseMs = std::min(m_retryPauseMs * 2, LongestRetryMs);
    m_deadlineMs = nowMs + m_retryPauseMs;
}
