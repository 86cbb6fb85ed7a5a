#include "trace/uReplay.h"

#include "trace/uTraceReader.h"

#include <QFileInfo>

#include <algorithm>

bool TReplay::Load(const QString &path, QString *error)
{
    TTraceReader reader;
    if (!reader.Open(path, error))
        return false;
    std::vector<TTraceFrame> frames;
    TTraceFrame frame;
    while (reader.Next(frame))
        if (!frame.Sent)
            frames.push_back(frame);
    if (!reader.Error().isEmpty()) {
        *error = reader.Error();
        return false;
    }
    if (frames.empty()) {
        *error =
            QStringLiteral("%1 holds no received frame to play").arg(QFileInfo(path).fileName());
        return false;
    }
    m_damagedLines = reader.DamagedCount();
    SetFrames(std::move(frames));
    return true;
}

void TReplay::SetFrames(std::vector<TTraceFrame> frames)
{
    // Traces joined from several files may step back in time; the order of equal times stays.
    std::stable_sort(frames.begin(), frames.end(), [](const TTraceFrame &a, const TTraceFrame &b) {
        return a.TimeUs < b.TimeUs;
    });
    m_frames = std::move(frames);
    m_next = 0;
    m_playing = false;
    m_anchorTraceUs = StartUs();
}

qint64 TReplay::StartUs() const
{
    return m_frames.empty() ? 0 : m_frames.front().TimeUs;
}

qint64 TReplay::EndUs() const
{
    return m_frames.empty() ? 0 : m_frames.back().TimeUs;
}

qint64 TReplay::TraceTimeUs(qint64 realUs) const
{
    if (!m_playing)
        return m_anchorTraceUs;
    return std::min(m_anchorTraceUs + (realUs - m_anchorRealUs) * m_speed, EndUs());
}

void TReplay::Anchor(qint64 traceUs, qint64 realUs)
{
    m_anchorTraceUs = traceUs;
    m_anchorRealUs = realUs;
}

void TReplay::Play(qint64 realUs)
{
    if (m_frames.empty() || m_playing)
        return;
    if (AtEnd())
        Seek(StartUs(), realUs);
    Anchor(m_anchorTraceUs, realUs);
    m_playing = true;
}

void TReplay::Pause(qint64 realUs)
{
    Anchor(TraceTimeUs(realUs), realUs);
    m_playing = false;
}

void TReplay::SetSpeed(int speed, qint64 realUs)
{
    if (std::find(std::begin(Speeds), std::end(Speeds), speed) == std::end(Speeds))
        return;
    Anchor(TraceTimeUs(realUs), realUs);
    m_speed = speed;
}

void TReplay::Seek(qint64 traceUs, qint64 realUs)
{
    const qint64 to = std::clamp(traceUs, StartUs(), EndUs());
    m_next = size_t(
        std::lower_bound(m_frames.begin(), m_frames.end(), to,
                         [](const TTraceFrame &frame, qint64 time) { return frame.TimeUs < time; })
        - m_frames.begin());
    Anchor(to, realUs);
}

std::span<const TTraceFrame> TReplay::TakeDue(qint64 realUs)
{
    if (!m_playing)
        return {};
    const qint64 now = TraceTimeUs(realUs);
    const size_t first = m_next;
    while (m_next < m_frames.size() && m_frames[m_next].TimeUs <= now)
        ++m_next;
    if (AtEnd())
        Pause(realUs);
    return {m_frames.data() + first, m_next - first};
}

std::optional<qint64> TReplay::NextDueRealUs() const
{
    if (!m_playing || m_next >= m_frames.size())
        return std::nullopt;
    return m_anchorRealUs + (m_frames[m_next].TimeUs - m_anchorTraceUs + m_speed - 1) / m_speed;
}
