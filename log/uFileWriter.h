#pragma once
// The writer of one open file, off the thread that drains, decodes and draws: what the file is
// handed goes out with write() at once on a thread of its own, so that a kill costs no more
// than it did, and the file is forced to the disk on another thread when asked, so that a
// medium that takes seconds to sync (a slow USB stick or SD card) stalls neither the window
// nor the records after it. Nothing handed over is dropped in silence: a failure is kept and
// told, and so is a disk that cannot keep up, whose waiting bytes are bounded.

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class QFileDevice;
class QIODevice;

class TFileWriter
{
public:
    // Most bytes waiting for the disk: at bus maximum the raw trace grows 400 KB a second, so a
    // disk more than a minute behind has failed.
    static constexpr qsizetype MostWaiting = 32 << 20;

    enum class TFailure { None, Write, Force, Behind };

    // device: open for writing; until Finish only this writer's threads use it. file: the same
    // device when it is a file that can be forced to the disk, else null.
    TFileWriter(QIODevice &device, const QFileDevice *file);
    ~TFileWriter();
    TFileWriter(const TFileWriter &) = delete;
    TFileWriter &operator=(const TFileWriter &) = delete;

    // Takes bytes for the file; after a failure they are dropped, the failure being told.
    void Write(QByteArray bytes);
    // Asks for the file to be forced to the disk once what was handed over so far is written.
    void Force();
    // Bytes written so far, of those handed over.
    qint64 Written() const;
    // The first failure and the system's message with it.
    TFailure Failure(QString *systemMessage) const;
    // Waits until everything handed over is written and, with force, on the disk; ends the
    // threads. The first failure.
    TFailure Finish(bool force, QString *systemMessage);

private:
    void WriteLoop();
    void ForceLoop();
    void Fail(TFailure failure, const QString &systemMessage);

    QIODevice &m_device;
    const QFileDevice *m_file;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;  // for both threads: work, or the end
    std::condition_variable m_done;  // for Finish: written, forced
    std::deque<QByteArray> m_waiting;
    qsizetype m_waitingBytes = 0;
    bool m_writing = false;    // the write thread holds bytes taken from the queue
    qint64 m_handedOver = 0;   // bytes, counted as they come
    qint64 m_written = 0;      // bytes, counted as they are written
    qint64 m_forceAfter = -1;  // force once m_written reaches this; -1 for none asked
    bool m_forcing = false;
    bool m_ending = false;
    TFailure m_failure = TFailure::None;
    QString m_systemMessage;
    std::thread m_writeThread;
    std::thread m_forceThread;
};
