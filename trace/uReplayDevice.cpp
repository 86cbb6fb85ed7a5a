#include "trace/uReplayDevice.h"

#include "base/uClock.h"

#include <QCanBusFrame>

#include <algorithm>

namespace {

// The bar's play, pause, speed and seek reach the device through the replay it shares with
// them: waking at least this often takes them up soon enough.
constexpr qint64 LongestSleepUs = 10000;
// The timer wakes on whole milliseconds: a frame due within half of one goes now, so that
// each is handed over within about half a millisecond of its time either way.
constexpr qint64 EarlyUs = 500;

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

TCanDeviceFactory ReplayDeviceFactory(TReplay &replay)
{
    return [&replay](QString *) -> std::unique_ptr<QCanBusDevice> {
        return std::make_unique<TReplayDevice>(replay);
    };
}

void TReplayDevice::Release()
{
    const qint64 now = SteadyUs();
    const std::span<const TTraceFrame> due = m_replay.TakeDue(now + EarlyUs);
    if (!due.empty()) {
        QList<QCanBusFrame> frames;
        frames.reserve(qsizetype(due.size()));
        for (const TTraceFrame &recorded : due)
            frames.append(FrameOf(recorded));
        enqueueReceivedFrames(frames);
    }
    const qint64 wake = std::min(m_replay.NextDueRealUs().value_or(now + LongestSleepUs),
                                 now + LongestSleepUs);
    m_timer.start(int(std::max<qint64>(0, (wake - EarlyUs - now + 999) / 1000)));
}
