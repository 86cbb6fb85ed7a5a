#pragma once
// A drive logged without a window, by the program's session as the window runs it: the channel
// opened as Connect opens it, the log (and its raw trace) started with unit 1's first sample, as
// Start is only possible once unit 1 has been heard, and the session's two ticks. The log's
// folder is made if it is missing. The recording ends when asked to, after the given time, on a
// lost connection or on a failing file; the files are closed whole in every case.

#include "app/uRecordOptions.h"
#include "base/uClock.h"
#include "session/uProgramSession.h"

#include <QString>

#include <functional>

struct TRecordCounts {
    qint64 Samples = 0;  // completed samples of unit 1 while the log ran
    qint64 Records = 0;  // records the log file has taken: written by its writer
    // Records that could not be written: those a failing file took with it. Samples that never
    // reached the program are the supervision's to count.
    qint64 NotWritten = 0;
    qint64 Frames = 0;  // frames read from the adapter
};

class TRecorder
{
public:
    static constexpr int CanTickMs = TProgramSession::CanTickMs;
    static constexpr int DisplayTickMs = TProgramSession::DisplayTickMs;
    static constexpr qint64 ProgressEveryMs = 1000;

    TRecorder(const TClock &clock, const TRecordOptions &options);
    ~TRecorder();

    // Opens the channel, makes the log's folder and starts the ticks. False with the message
    // when either fails; the channel is closed then.
    bool Start(QString *error);
    // Ends the recording: the adapter drained a last time, the files closed, the channel
    // closed; then OnFinished. A failure on the way turns exitCode into 1 and is reported.
    void Finish(int exitCode);

    // The session's two ticks until the recording ends; tests call them with a fake clock.
    void TimerCanTimer();
    void Timer1Timer();

    bool Finished() const { return m_finished; }
    TRecordCounts Counts() const;
    // What the recording did, told at its end: the log's counts, the supervision's, and why
    // the two differ when they do. One line each.
    QString Summary() const;

    TProgramSession Session;

    // What the user is told: a folder made, the files when the log starts, why there is no log
    // and why a recording failed.
    std::function<void(const QString &line)> OnMessage;
    // Once a second while the channel is open; frames per second over that second.
    std::function<void(const TRecordCounts &counts, double framesPerSecond)> OnProgress;
    std::function<void(int exitCode)> OnFinished;

private:
    bool MakeLogFolder(QString *error);
    void AfterCanTick(int frames);
    void AfterDisplayTick();
    void TakeWrittenRecords();
    void LogFailed(const QString &error);
    void ReportLogFiles();
    void Fail(const QString &message);
    QString OpenFailure() const;
    void Report(const QString &message);
    void ReportProgress(qint64 nowMs);

    const TClock &m_clock;
    const TRecordOptions m_options;
    TRecordCounts m_counts;
    qint64 m_startMs = 0;         // monotonic
    qint64 m_progressMs = 0;      // monotonic time of the last progress report
    qint64 m_progressFrames = 0;  // frames read by then
    int m_exitCode = 0;
    bool m_logStarted = false;
    QString m_startFailure;  // of the log, met within a drain
    bool m_finished = false;
};
