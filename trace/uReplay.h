#pragma once
// A trace played back in time: which frames are due at a moment of the real clock, at the
// speed chosen, paused, or moved to another place. Only received frames are played: what the
// program sent then, it sends again by itself. Times are µs; the real clock's moments come
// from the caller, so that the rule is tested without waiting.

#include "trace/uCandumpLine.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

class TReplay
{
public:
    static constexpr int Speeds[] = {1, 2, 5, 10};

    // Reads the trace file's received frames, in time order. False with the message when the
    // file cannot be read or holds no received frame; damaged lines are passed over.
    bool Load(const QString &path, QString *error);
    // The frames to play, received ones in time order (Load does this from a file).
    void SetFrames(std::vector<TTraceFrame> frames);
    qint64 DamagedLines() const { return m_damagedLines; }

    qint64 StartUs() const;  // trace time of the first frame, µs since the Unix epoch
    qint64 EndUs() const;    // of the last
    bool Playing() const { return m_playing; }
    int Speed() const { return m_speed; }
    // Every frame has been played; the replay stands at the end.
    bool AtEnd() const { return !m_frames.empty() && m_next == m_frames.size(); }

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

    // The frames due by realUs, in order; after the last one the replay pauses at the end.
    std::span<const TTraceFrame> TakeDue(qint64 realUs);
    // The real time at which the next frame is due; nothing while paused or at the end.
    std::optional<qint64> NextDueRealUs() const;

private:
    void Anchor(qint64 traceUs, qint64 realUs);

    std::vector<TTraceFrame> m_frames;
    size_t m_next = 0;
    qint64 m_anchorTraceUs = 0;  // the trace time at ...
    qint64 m_anchorRealUs = 0;   // ... this real time
    int m_speed = 1;
    bool m_playing = false;
    qint64 m_damagedLines = 0;
};
