#include "trace/uReplayDevice.h"

#include "base/uClock.h"

#include <QCanBusFrame>

#include <algorithm>

namespace {

// The timer wakes on whole milliseconds: a frame due within half of one goes now, so that
// each is handed over within about half a millisecond of its time either way.
constexpr qint64 EarlyUs = 500;
// A frame years ahead (a unit without a clock stamps from 1970) is waited for in steps an
// int of ms holds.
constexpr qint64 LongestWaitMs = 3'600'000;

QCanBusFrame FrameOf(const TTraceFrame &recorded)
{
    QCanBusFrame frame = FrameFromMessage(recorded.Message);
    frame.setTimeStamp(QCanBusFrame::TimeStamp::fromMicroSeconds(recorded.TimeUs));
    return frame;
}

}  // namespace

TReplayDevice::TReplayDevice(TReplay &replay, QObject *parent)
    : QCanBusDevice(parent), m_replay(replay)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TReplayDevice::Release);
    // The bar plays, pauses, seeks and sets the speed on the replay itself.
    connect(&m_replay, &TReplay::Changed, this, &TReplayDevice::PlanWake);
}

bool TReplayDevice::open()
{
    m_replay.Play(SteadyUs());
    setState(QCanBusDevice::ConnectedState);
    Release();
    return true;
}

void TReplayDevice::close()
{
    m_timer.stop();
    m_replay.Pause(SteadyUs());
    setState(QCanBusDevice::UnconnectedState);
}

bool TReplayDevice::writeFrame(const QCanBusFrame &frame)
{
    return state() == QCanBusDevice::ConnectedState && frame.isValid();
}

QString TReplayDevice::interpretErrorFrame(const QCanBusFrame &)
{
    return {};
}

std::optional<int> TReplayDevice::WakeInMs() const
{
    return m_timer.isActive() ? std::optional<int>(m_timer.interval()) : std::nullopt;
}

TCanDeviceFactory ReplayDeviceFactory(TReplay &replay)
{
    return [&replay](QString *) -> std::unique_ptr<QCanBusDevice> {
        return std::make_unique<TReplayDevice>(replay);
    };
}

void TReplayDevice::Release()
{
    if (framesAvailable() < MostWaiting) {
        const std::span<const TTraceFrame> due = m_replay.TakeDue(SteadyUs() + EarlyUs);
        if (!due.empty()) {
            QList<QCanBusFrame> frames;
            frames.reserve(qsizetype(due.size()));
            for (const TTraceFrame &recorded : due)
                frames.append(FrameOf(recorded));
            enqueueReceivedFrames(frames);
        }
    }
    PlanWake();
}

void TReplayDevice::PlanWake()
{
    const std::optional<qint64> due = m_replay.NextDueRealUs();
    if (state() != QCanBusDevice::ConnectedState || !due) {
        m_timer.stop();
        return;
    }
    if (framesAvailable() >= MostWaiting) {
        m_timer.start(FullWaitMs);
        return;
    }
    const qint64 waitUs = std::min(*due - SteadyUs(), LongestWaitMs * 1000) - EarlyUs;
    m_timer.start(int(std::max<qint64>(0, (waitUs + 999) / 1000)));
}
