#pragma once
// A trace played back in time: which frames are due at a moment of the real clock, at the
// speed chosen, paused, or moved to another place. Only received frames are played: what the
// program sent then, it sends again by itself. Times are µs; the real clock's moments come
// from the caller, so that the rule is tested without waiting.
//
// A trace file is read once to learn its span and places in it (uTraceIndex), then read again
// as it plays, so that an hour of a full bus costs no more memory than a minute. The order of
// play is uPlayOrder's.

#include "trace/uPlayOrder.h"
#include "trace/uTraceIndex.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class TReplay : public QObject
{
    Q_OBJECT
public:
    static constexpr int Speeds[] = {1, 2, 5, 10};
    // Handed over at once at most: frames due at once may be the rest of a trace.
    static constexpr size_t MostAtOnce = 4096;

    // Bytes read of all; false stops the reading.
    using TProgress = std::function<bool(qint64 done, qint64 total)>;

    TReplay();
    ~TReplay() override;

    // Reads the trace file through, to play it from there. False with the message when it is
    // no regular file, cannot be read, holds no received frame, or progress said stop;
    // damaged lines are passed over and counted.
    bool Load(const QString &path, QString *error, const TProgress &progress = {});
    // The frames to play, held in memory, in the order of a file.
    void SetFrames(std::vector<TTraceFrame> frames);
    qint64 DamagedLines() const { return m_damagedLines; }
    qint64 Frames() const { return m_index.Frames(); }  // received ones
    qint64 LateFrames() const { return m_index.LateFrames(); }

    qint64 StartUs() const { return m_index.StartUs(); }  // µs since the Unix epoch
    qint64 EndUs() const { return m_index.EndUs(); }
    bool Playing() const { return m_playing; }
    int Speed() const { return m_speed; }
    // Every frame has been played; the replay stands at the end.
    bool AtEnd() const { return Frames() > 0 && !m_next && m_sourceEnded; }

    // The trace time at the real clock's realUs.
    qint64 TraceTimeUs(qint64 realUs) const;
    // Play from where it stands; from the start again once at the end.
    void Play(qint64 realUs);
    void Pause(qint64 realUs);
    // One of Speeds; another value is ignored.
    void SetSpeed(int speed, qint64 realUs);
    // Moves to a trace time (kept within the trace): the next frame due is the first at or
    // after it.
    void Seek(qint64 traceUs, qint64 realUs);

    // The frames due by realUs, in order, at most MostAtOnce; after the last one the replay
    // pauses at the end. Valid until the next call.
    std::span<const TTraceFrame> TakeDue(qint64 realUs);
    // The real time at which the next frame is due; nothing while paused or at the end.
    std::optional<qint64> NextDueRealUs() const;

signals:
    // Before the replay goes on from other than where its play stands: a play after a pause
    // (toUs == fromUs), a new pass from the start, a seek.
    void Moving(qint64 fromUs, qint64 toUs);
    // Played, paused, sped up or moved: when the next frame is due has changed.
    void Changed();

private:
    void Begin(std::unique_ptr<TReplaySource> source);
    void ReadFrom(qint64 traceUs);
    void PlayNext();
    void Anchor(qint64 traceUs, qint64 realUs);

    std::unique_ptr<TReplaySource> m_source;
    TTraceIndex m_index;
    TPlayOrder m_order;
    qint64 m_read = 0;  // frames read from the source, its first one 0
    bool m_sourceEnded = true;
    std::optional<TPlayOrder::TPlayed> m_next;
    std::vector<TTraceFrame> m_due;  // handed over by TakeDue
    qint64 m_anchorTraceUs = 0;      // the trace time at ...
    qint64 m_anchorRealUs = 0;       // ... this real time
    int m_speed = 1;
    bool m_playing = false;
    qint64 m_damagedLines = 0;
};
