#pragma once
// The received frames of a trace in the order they stand in it, for a replay: read from the
// file while it plays, so that a trace of any length costs a buffer's memory, or held in memory
// (tests, benchmarks). A place noted on the way can be gone back to.

#include "trace/uTraceReader.h"

#include <vector>

class TReplaySource
{
public:
    virtual ~TReplaySource() = default;
    // The next received frame; false at the end or when reading fails (Error() says).
    virtual bool Next(TTraceFrame &frame) = 0;
    // After the frame handed out last.
    virtual TTracePlace Place() const = 0;
    virtual bool Resume(const TTracePlace &place) = 0;
    virtual QString Error() const { return {}; }
};

class TTraceFileSource : public TReplaySource
{
public:
    // Regular files only: a replay reads its trace twice and moves in it, which a pipe or a
    // device cannot do, and opening a pipe would wait for its writer.
    bool Open(const QString &path, QString *error);
    const TTraceReader &Reader() const { return m_reader; }

    bool Next(TTraceFrame &frame) override;
    TTracePlace Place() const override { return m_reader.Place(); }
    bool Resume(const TTracePlace &place) override { return m_reader.Resume(place); }
    QString Error() const override { return m_reader.Error(); }

private:
    TTraceReader m_reader;
};

class THeldFrames : public TReplaySource
{
public:
    explicit THeldFrames(std::vector<TTraceFrame> frames) : m_frames(std::move(frames)) {}

    bool Next(TTraceFrame &frame) override;
    TTracePlace Place() const override { return {qint64(m_next), 0, nullptr}; }
    bool Resume(const TTracePlace &place) override;

private:
    std::vector<TTraceFrame> m_frames;
    size_t m_next = 0;
};
