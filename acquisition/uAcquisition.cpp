#include "acquisition/uAcquisition.h"

#include "base/uConsts.h"

#include <QDebug>

#include <algorithm>
#include <cstdlib>

void TAcquisition::SetEventSink(TEventSink *sink)
{
    m_events = sink;
    m_bus.SetEventSink(sink);
    Supervision.SetEventSink(sink);
}

bool TAcquisition::Connect(TPCANBaudrate baudrate)
{
    ClearSensorValues(State);
    CanChannel = PCAN_USBBUS1;
    m_bus.Reset();
    Supervision.Reset();
    const TClockReading now = m_clock.Read();
    m_connectedMs = now.MonotonicMs;
    m_baudrate = baudrate;
    m_frameTimes.Start(now.Local.toMSecsSinceEpoch() * 1000, now.MonotonicMs * 1000);
    if (m_link.Open(CanChannel, baudrate, m_clock.MonotonicMs()) == TLinkChange::OpenFailed) {
        ConnectFailed();
        return false;
    }
    m_open = true;
    if (OnChannelChanged)
        OnChannelChanged(true);
    ReportEvent(Consts::LineConnected);
    return true;
}

void TAcquisition::ConnectFailed()
{
    qWarning().noquote() << "CAN channel could not be opened:" << m_link.Problem();
    ReportEvent(Consts::LineOpenFailed);
    // What to do, under the line the traffic window has always shown.
    if (TrafficWanted && OnTrafficLine && !m_link.Problem().isEmpty())
        OnTrafficLine(m_link.Problem());
}

void TAcquisition::Disconnect()
{
    m_open = false;
    if (OnChannelChanged)
        OnChannelChanged(false);
    m_link.Close();
    Supervision.Flush();
    m_bus.ReportPending(m_clock.MonotonicMs());
    ReportEvent(Consts::LineDisconnected);
    ShowCaption(QString::fromUtf8(Consts::StatusOffline));
    State.SensorOnline = false;
    ClearSensorValues(State);
}

int TAcquisition::Drain()
{
    // One time stamp serves the whole drain: the queue empties in well under a millisecond.
    m_drainLocal = m_clock.LocalNow();
    const TTimeStamp now{DateTimeToDays(m_drainLocal), m_clock.MonotonicMs()};
    const int frames = m_link.IsOpen() ? DrainReceiveQueue(CanChannel, State, now, *this) : 0;
    int dropped = 0;
    const QList<TAdapterError> errors = TPCANBasic::TakeErrors(&dropped);
    m_bus.NoteErrors(errors, dropped, now.MonotonicMs);
    const bool readFailed = std::any_of(
        errors.begin(), errors.end(), [](const TAdapterError &error) { return error.ReadFailed; });
    if (m_open)
        FollowLink(m_link.Poll(now.MonotonicMs, frames, readFailed), now.MonotonicMs);
    return frames;
}

void TAcquisition::FollowLink(TLinkChange change, qint64 nowMs)
{
    switch (change) {
    case TLinkChange::None:
        return;
    case TLinkChange::OpenFailed:
        m_open = false;
        if (OnChannelChanged)
            OnChannelChanged(false);
        ConnectFailed();
        return;
    case TLinkChange::Lost:
        // The log stays open; the samples it misses count as lost once the unit is back.
        State.SensorOnline = false;
        ClearSensorValues(State);
        ReportEvent(Consts::LineAdapterLost);
        ShowCaption(QString::fromUtf8(Consts::StatusAdapterLost));
        ReportDriveEvent(DriveEvent::AdapterLost, m_link.Problem());
        return;
    case TLinkChange::Restored:
        ReportEvent(Consts::LineAdapterRestored);
        ShowCaption(QString::fromUtf8(Consts::StatusOffline));
        ReportDriveEvent(DriveEvent::AdapterRestored,
                         QStringLiteral("after %1 s")
                             .arg(double(nowMs - m_link.LostAtMs()) / 1000.0, 0, 'f', 1));
        return;
    }
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
    // Once a second is enough for a state that changes rarely, and spares slow backends.
    if (m_link.IsOpen() && std::abs(now - m_busStatusMs) >= 1000) {
        m_busStatusMs = now;
        m_bus.NoteStatus(TPCANBasic::GetStatus(CanChannel));
    }
    m_bus.Tick(now);
    Supervision.AdvanceTo(m_clock.LocalNow());
}

void TAcquisition::ReportHeldEvents()
{
    Supervision.ReportHeldLosses();
    m_bus.ReportPending(m_clock.MonotonicMs());
}

TPCANStatus TAcquisition::Send(const TPCANMsg &message) const
{
    const TPCANStatus status = TPCANBasic::Write(CanChannel, message);
    if (status == PCAN_ERROR_OK && m_tap)
        m_tap->FrameSeen(message, true, m_frameTimes.At(m_clock.MonotonicMs() * 1000));
    return status;
}

TTimeStamp TAcquisition::FrameRead(const TPCANMsg &message, const TPCANTimestamp &timestamp,
                                   const TTimeStamp &drainTime)
{
    // The adapter's own stamps time the frames and the samples: the drain's would put a whole
    // queue at one moment. A backend that stamps nothing is timed by the drain.
    const quint64 stampUs = MicrosecondsOf(timestamp);
    TTimeStamp read = drainTime;
    if (m_clock.FramesCarryTime()) {
        m_frameUs = qint64(stampUs);
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(m_frameUs / 1000);
        read = {DateTimeToDays(local), local.toMSecsSinceEpoch()};
    } else {
        m_frameUs = m_frameTimes.FrameRead(stampUs, drainTime.MonotonicMs * 1000);
    }
    if (message.MSGTYPE & PCAN_MESSAGE_STATUS)
        m_bus.NoteErrorFrame(drainTime.MonotonicMs);
    else
        Supervision.FrameRead(
            message, stampUs != 0 ? qint64(stampUs) : drainTime.MonotonicMs * 1000, m_drainLocal);
    if (m_tap)
        m_tap->FrameSeen(message, false, m_frameUs);
    return read;
}

void TAcquisition::TrafficFrame(const char *prefix, const TPCANMsg &message)
{
    OnTrafficFrame(prefix, message);
}

void TAcquisition::ReportDriveEvent(const char *event, const QString &details) const
{
    if (m_events)
        m_events->DriveEventOccurred(event, details);
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

void TAcquisition::UnitFrame(int unit, bool completes)
{
    Supervision.UnitFrame(unit, State.ProtocolEnv == TProtocolEnv::peProduction
                                    ? TSampleFrame::Whole
                                : completes ? TSampleFrame::Status
                                            : TSampleFrame::Motion);
}

void TAcquisition::CompleteSample(int demoIndex)
{
    // A sample is timed as the trace times its frame, so that a replay of the trace writes the
    // same records.
    const QTime time = demoIndex == 0 ? QDateTime::fromMSecsSinceEpoch(m_frameUs / 1000).time()
                                      : m_clock.LocalNow().time();
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
