#pragma once
// A drive logged without a window, the way the main window logs it: the channel opened as
// Connect opens it, the log (and its raw trace) started with unit 1's first sample, as Start
// is only possible once unit 1 has been heard, and the main window's two ticks: every 50 ms the
// adapter's queue is drained and the new records handed to the files, every 100 ms the watchdogs
// run and the files are flushed again. The recording ends when asked to, after the given time, on
// a lost connection or on a failing file; the files are closed whole in every case.

#include "acquisition/uAcquisition.h"
#include "app/uRecordOptions.h"
#include "base/uClock.h"
#include "log/uLogSession.h"

#include <QString>
#include <QTimer>

#include <functional>

struct TRecordCounts {
    qint64 Samples = 0;  // completed samples of unit 1 while the log ran
    qint64 Records = 0;  // records the log file has taken: written by its writer
    // Samples whose record could not be written: those a failing file took with it. Samples
    // that never reached the program (a full adapter queue) are not seen here.
    qint64 Lost = 0;
    qint64 Frames = 0;  // frames read from the adapter
};

class TRecorder : private TSampleSink, private TEventSink
{
public:
    static constexpr int CanTickMs = 50;
    static constexpr int DisplayTickMs = 100;
    static constexpr qint64 ProgressEveryMs = 1000;

    TRecorder(const TClock &clock, const TRecordOptions &options);
    ~TRecorder() override;

    // Opens the channel and starts the ticks. False with the message when it cannot be opened.
    bool Start(QString *error);
    // Ends the recording: the adapter drained a last time, the files closed, the channel
    // closed; then OnFinished. A failure on the way turns exitCode into 1 and is reported.
    void Finish(int exitCode);

    // The two ticks; the timers call them, tests call them with a fake clock.
    void TimerCanTimer();
    void Timer1Timer();

    bool Finished() const { return m_finished; }
    const TRecordCounts &Counts() const { return m_counts; }

    TAcquisition Acquisition;
    TLogSession Log;  // also the sink of the drive's events

    // What the user is told: the files when the log starts, and why a recording failed.
    std::function<void(const QString &line)> OnMessage;
    // Once a second while the channel is open; frames per second over that second.
    std::function<void(const TRecordCounts &counts, double framesPerSecond)> OnProgress;
    std::function<void(int exitCode)> OnFinished;

private:
    // The events go to the events record; the adapter's loss and return are also told.
    void DriveEventOccurred(const char *event, const QString &details) override;
    void SampleComplete(const TAcquisitionState &state, const TSampleMoment &moment) override;
    void ReportLogFiles();
    bool FlushLog();
    void Fail(const QString &message);
    QString OpenFailure() const;
    void Report(const QString &message);
    void ReportProgress(qint64 nowMs);

    const TClock &m_clock;
    const TRecordOptions m_options;
    QTimer m_timerCan;
    QTimer m_timer1;
    TRecordCounts m_counts;
    qint64 m_startMs = 0;         // monotonic
    qint64 m_progressMs = 0;      // monotonic time of the last progress report
    qint64 m_progressFrames = 0;  // frames read by then
    int m_exitCode = 0;
    bool m_logStarted = false;
    QString m_startFailure;  // of the log, met within a drain
    bool m_finished = false;
};
