#include "trace/uReplay.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <new>

TReplay::TReplay() = default;
TReplay::~TReplay() = default;

bool TReplay::Load(const QString &path, QString *error, const TProgress &progress)
{
    // Only the index grows with the trace, and that within its bound: a failing allocation
    // here is a machine out of memory, told as such rather than ending the program.
    try {
        auto source = std::make_unique<TTraceFileSource>();
        if (!source->Open(path, error))
            return false;
        const TTraceReader &reader = source->Reader();
        bool stopped = false;
        TTraceIndex index;
        const bool read = index.Build(*source, [&] {
            stopped = progress && !progress(reader.BytesRead(), reader.Size());
            return !stopped;
        });
        if (!read) {
            *error = stopped ? QStringLiteral("Reading the trace %1 was stopped")
                                   .arg(QDir::toNativeSeparators(path))
                             : reader.Error();
            return false;
        }
        if (index.Frames() == 0) {
            *error = QStringLiteral("%1 holds no received frame to play")
                         .arg(QFileInfo(path).fileName());
            return false;
        }
        m_damagedLines = reader.DamagedCount();
        m_index = std::move(index);
        Begin(std::move(source));
        return true;
    } catch (const std::bad_alloc &) {
        *error = QStringLiteral("Not enough memory to open the trace %1")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
}

void TReplay::SetFrames(std::vector<TTraceFrame> frames)
{
    auto source = std::make_unique<THeldFrames>(std::move(frames));
    m_index.Build(*source);
    m_damagedLines = 0;
    Begin(std::move(source));
}

void TReplay::Begin(std::unique_ptr<TReplaySource> source)
{
    m_source = std::move(source);
    m_playing = false;
    m_anchorTraceUs = StartUs();
    ReadFrom(StartUs());
}

// Reading starts again at the place before traceUs that the index knows; the frames before
// traceUs are passed over on the way.
void TReplay::ReadFrom(qint64 traceUs)
{
    const TTraceIndex::TStart &start = m_index.StartFor(traceUs);
    m_order.Restart(start.LatestUs, traceUs);
    m_read = start.Frame;
    m_sourceEnded = !m_source->Resume(start.Place);
    if (m_sourceEnded)
        qWarning().noquote() << m_source->Error();
    PlayNext();
}

void TReplay::PlayNext()
{
    for (;;) {
        m_next = m_order.Pop(m_sourceEnded);
        if (m_next || m_sourceEnded)
            break;
        // No further than the first reading went: a file written on meanwhile is played as
        // it was opened.
        TTraceFrame frame;
        if (m_read < m_index.Frames() && m_source->Next(frame)) {
            m_order.Push(frame, m_read++);
        } else {
            m_sourceEnded = true;
            if (!m_source->Error().isEmpty())
                qWarning().noquote() << m_source->Error();
        }
    }
    // A file changed since it was read may hold later frames: they are played at the end.
    if (m_next)
        m_next->DueUs = std::min(m_next->DueUs, EndUs());
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
    if (Frames() == 0 || m_playing)
        return;
    const bool again = AtEnd();
    const qint64 toUs = again ? StartUs() : m_anchorTraceUs;
    emit Moving(m_anchorTraceUs, toUs);
    if (again)
        ReadFrom(toUs);
    Anchor(toUs, realUs);
    m_playing = true;
    emit Changed();
}

void TReplay::Pause(qint64 realUs)
{
    Anchor(TraceTimeUs(realUs), realUs);
    m_playing = false;
    emit Changed();
}

void TReplay::SetSpeed(int speed, qint64 realUs)
{
    if (std::find(std::begin(Speeds), std::end(Speeds), speed) == std::end(Speeds))
        return;
    Anchor(TraceTimeUs(realUs), realUs);
    m_speed = speed;
    emit Changed();
}

void TReplay::Seek(qint64 traceUs, qint64 realUs)
{
    if (Frames() == 0)
        return;
    const qint64 toUs = std::clamp(traceUs, StartUs(), EndUs());
    emit Moving(TraceTimeUs(realUs), toUs);
    ReadFrom(toUs);
    Anchor(toUs, realUs);
    emit Changed();
}

std::span<const TTraceFrame> TReplay::TakeDue(qint64 realUs)
{
    m_due.clear();
    if (!m_playing)
        return {};
    const qint64 now = TraceTimeUs(realUs);
    while (m_next && m_next->DueUs <= now && m_due.size() < MostAtOnce) {
        m_due.push_back(m_next->Frame);
        PlayNext();
    }
    if (AtEnd())
        Pause(realUs);
    return m_due;
}

std::optional<qint64> TReplay::NextDueRealUs() const
{
    if (!m_playing || !m_next)
        return std::nullopt;
    const qint64 aheadUs = std::max<qint64>(0, m_next->DueUs - m_anchorTraceUs);
    const qint64 realAheadUs = aheadUs / m_speed + (aheadUs % m_speed != 0 ? 1 : 0);
    constexpr qint64 Latest = std::numeric_limits<qint64>::max();
    return realAheadUs > Latest - m_anchorRealUs ? Latest : m_anchorRealUs + realAheadUs;
}
