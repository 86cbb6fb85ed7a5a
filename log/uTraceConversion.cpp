#include "log/uTraceConversion.h"

#include "base/uClock.h"
#include "log/uFileOnDisk.h"
#include "protocol/uFrameDecoder.h"

#include <QDir>
#include <QFile>

#include <limits>
#include <vector>

namespace {

// Frames between two hand-overs of the records to the file, and between progress reports.
constexpr qint64 FramesPerFlush = 8192;
// Frames read ahead for unit 1's first sample, whose firmware the log's head shows.
constexpr size_t FramesToFirstSample = 100000;

// The local wall-clock time of trace times, worked out once a second: a frame's time is its
// second's plus the milliseconds, so that millions of frames ask the time zone rarely.
class TLocalTimes
{
public:
    TTimeStamp StampOf(qint64 timeUs, QTime *time)
    {
        const qint64 ms = timeUs / 1000;
        const qint64 second = ms / 1000;
        if (second != m_second) {
            m_second = second;
            const QDateTime local = QDateTime::fromMSecsSinceEpoch(second * 1000);
            m_secondMs = local.time().msecsSinceStartOfDay();
            m_secondDays = DateTimeToDays(local);
        }
        const int msOfSecond = int(ms % 1000);
        *time = QTime::fromMSecsSinceStartOfDay(m_secondMs + msOfSecond);
        return {m_secondDays + msOfSecond / 86400000.0, ms};
    }

private:
    qint64 m_second = std::numeric_limits<qint64>::min();
    int m_secondMs = 0;  // of the second's start, in the local day
    double m_secondDays = 0;
};

// The decoder's reports go nowhere but to what a completed sample of unit 1 calls for.
class TUnit1Samples : public TDecoderSink
{
public:
    explicit TUnit1Samples(std::function<void()> onSample) : m_onSample(std::move(onSample)) {}
    bool WantsTrafficLines() const override { return false; }
    void TrafficFrame(const char *, const TPCANMsg &) override {}
    void Unit1SampleComplete() override { m_onSample(); }
    bool ChannelOpen() const override { return true; }

private:
    std::function<void()> m_onSample;
};

// The frames up to unit 1's first sample, read ahead, and the firmware it reports: a live log
// starts only once the unit is heard, so its head shows the firmware from the start.
std::vector<TTraceFrame> ReadToFirstSample(TTraceReader &reader, TAcquisitionState probe,
                                           QString *firmware)
{
    std::vector<TTraceFrame> ahead;
    bool seen = false;
    TUnit1Samples sink([&seen] { seen = true; });
    TTraceFrame frame;
    while (!seen && ahead.size() < FramesToFirstSample && reader.Next(frame)) {
        ahead.push_back(frame);
        if (!frame.Sent)
            DispatchFrame(frame.Message, probe, {}, sink);
    }
    *firmware = seen ? probe.Sensors[1].Firmware : QString();
    return ahead;
}

bool WriteConversion(TTraceReader &reader, const QString &csvPath, TAcquisitionState &state,
                     TLogSession &log, const std::function<void()> &progress, QString *error)
{
    QString firmware;
    const std::vector<TTraceFrame> ahead = ReadToFirstSample(reader, state, &firmware);
    state.Sensors[1].Firmware = firmware;
    const QDateTime start = ahead.empty() ? QDateTime::currentDateTime()
                                          : QDateTime::fromMSecsSinceEpoch(ahead[0].TimeUs / 1000);
    if (!log.StartLoggingTo(csvPath, state, start, error))
        return false;

    TLocalTimes times;
    // Each sample of unit 1 goes to the log at the time of the frame that completed it.
    TSampleMoment moment;
    TUnit1Samples sink([&] { log.SampleComplete(state, moment); });
    qint64 frames = 0;
    const auto decode = [&](const TTraceFrame &frame) {
        if (!frame.Sent) {
            const TTimeStamp now = times.StampOf(frame.TimeUs, &moment.Time);
            DispatchFrame(frame.Message, state, now, sink);
        }
        if (++frames % FramesPerFlush != 0)
            return true;
        if (progress)
            progress();
        // The same moment every time: a conversion is forced to the disk once, when the log
        // closes, not every second as a live log; killed half-way, it is simply run again.
        return log.Flush(0, error);
    };
    for (const TTraceFrame &frame : ahead) {
        if (!decode(frame))
            return false;
    }
    TTraceFrame frame;
    while (reader.Next(frame)) {
        if (!decode(frame))
            return false;
    }
    if (!log.StopLogging(error))
        return false;
    if (!reader.Error().isEmpty()) {
        *error = reader.Error();
        return false;
    }
    return true;
}

}  // namespace

QString PartialNameFor(const QString &csvPath)
{
    return csvPath + QStringLiteral(".part");
}

bool ConvertTrace(TTraceReader &reader, const QString &csvPath, TAcquisitionState &state,
                  TLogSession &log, const std::function<void()> &progress, QString *error)
{
    const QString partial = PartialNameFor(csvPath);
    // Left by a conversion that was killed: a log appends to a file of its name.
    QFile::remove(partial);
    const bool written = WriteConversion(reader, partial, state, log, progress, error);
    QString systemMessage;
    if (written && MoveIntoPlace(partial, csvPath, &systemMessage))
        return true;
    if (written)
        *error = QStringLiteral("Cannot put %1 in place of %2: %3")
                     .arg(QDir::toNativeSeparators(partial), QDir::toNativeSeparators(csvPath),
                          systemMessage);
    QFile::remove(partial);
    return false;
}
