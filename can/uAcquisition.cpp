#include "can/uAcquisition.h"

#include "base/uConsts.h"

#include <QDebug>

bool TAcquisition::Connect(TPCANBaudrate baudrate)
{
    ClearSensorValues(State);
    CanChannel = PCAN_USBBUS1;
    if (TPCANBasic::Initialize(CanChannel, baudrate, PCAN_TYPE_ISA, 0, 0) != PCAN_ERROR_OK) {
        qWarning().noquote() << "CAN channel could not be opened:" << TPCANBasic::LastErrorText();
        ReportEvent(Consts::LineOpenFailed);
        return false;
    }
    m_open = true;
    if (OnChannelChanged)
        OnChannelChanged(true);
    ReportEvent(Consts::LineConnected);
    return true;
}

void TAcquisition::Disconnect()
{
    m_open = false;
    if (OnChannelChanged)
        OnChannelChanged(false);
    TPCANBasic::Uninitialize(CanChannel);
    ReportEvent(Consts::LineDisconnected);
    ShowCaption(QString::fromUtf8(Consts::StatusOffline));
    State.SensorOnline = false;
    ClearSensorValues(State);
}

int TAcquisition::Drain()
{
    // One time stamp serves the whole drain: the queue empties in well under a millisecond.
    return DrainReceiveQueue(CanChannel, State, m_clock.Now(), *this);
}

void TAcquisition::RunWatchdogs()
{
    const qint64 now = m_clock.MonotonicMs();
    NoteDisplayTick(m_listening, now, m_clock.Rate());
    const TWatchdogVerdict verdict = CheckWatchdogs(State, m_listening, now);
    if (verdict.ZeroSpeed)
        State.Chassis.VehicleSpeed = 0.0;
    if (verdict.ConnectionLost) {
        Disconnect();
        ShowCaption(QString::fromUtf8(Consts::StatusConnectionLost));
    }
}

TPCANStatus TAcquisition::Send(const TPCANMsg &message) const
{
    const TPCANStatus status = TPCANBasic::Write(CanChannel, message);
    if (status == PCAN_ERROR_OK && m_tap)
        m_tap->FrameSeen(message, true, m_clock.MonotonicMs());
    return status;
}

TTimeStamp TAcquisition::FrameRead(const TPCANMsg &message, const TPCANTimestamp &timestamp,
                                   const TTimeStamp &drainTime)
{
    TTimeStamp read = drainTime;
    if (m_clock.FramesCarryTime()) {
        const QDateTime local =
            QDateTime::fromMSecsSinceEpoch(qint64(MicrosecondsOf(timestamp) / 1000));
        read = {DateTimeToDays(local), local.toMSecsSinceEpoch()};
        m_frameTime = local.time();
    }
    if (m_tap)
        m_tap->FrameSeen(message, false, read.MonotonicMs);
    return read;
}

void TAcquisition::TrafficFrame(const char *prefix, const TPCANMsg &message)
{
    OnTrafficFrame(prefix, message);
}

void TAcquisition::ReportEvent(const char *line)
{
    if (TrafficWanted && OnTrafficLine)
        OnTrafficLine(QString::fromUtf8(line));
}

void TAcquisition::Unit1SampleComplete()
{
    const QString caption = OnlineCaption(State.ProtocolEnv, State.Sensors[1].Firmware);
    if (caption != m_caption)
        ShowCaption(caption);
    CompleteSample(0);
}

void TAcquisition::CompleteSample(int demoIndex)
{
    const QTime time =
        m_clock.FramesCarryTime() && demoIndex == 0 ? m_frameTime : m_clock.LocalNow().time();
    const TSampleMoment moment{time, demoIndex};
    for (TSampleSink *sink : m_sinks)
        sink->SampleComplete(State, moment);
}

// A caption set again is shown again: a window may have shown another text meanwhile.
void TAcquisition::ShowCaption(const QString &caption)
{
    m_caption = caption;
    if (OnStatusCaption)
        OnStatusCaption(caption);
}
