#pragma once
// The open measurement log file: Windows-1250 text with CR LF line ends; the raw trace beside
// it takes the same care with its own line ends. Records collect in memory and are handed to
// the file's writer (TFileWriter) at every flush (at the end of the CAN tick that decoded
// them, and at the display tick), which writes them at once on a thread of its own: what has
// reached the file survives the program being killed. The file is forced to the disk at least
// once a second, off this thread, and at the close, which waits for it, so that it also
// survives a power cut or a failing medium. A failure is told at the flush after it. Failure
// messages name the file and what failed, followed by the system's message.

#include "log/uFileWriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QIODevice>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>

class TMeasurementLog
{
public:
    // Longest time written records wait to be forced to the disk while records come, in ms.
    static constexpr qint64 ForceEveryMs = 1000;

    // lineEnd: CR LF for the log, LF for the raw trace; what: the file as the messages name
    // it ("the log file", "the raw trace").
    explicit TMeasurementLog(QByteArrayView lineEnd = "\r\n",
                             const QString &what = QStringLiteral("the log file"));
    ~TMeasurementLog();

    // Opens the file for appending, or creates it and writes the head. An appended part
    // starts on a new line, also after a line cut short. A file this call created is removed
    // again when its head cannot be written. False with the message.
    bool Open(const QString &path, const QStringList &head, QString *error);
    // The same on any device already open for writing (tests give failing ones); name is the
    // file the messages name.
    bool OpenOn(std::unique_ptr<QIODevice> device, const QString &name, bool writeHead,
                const QStringList &head, QString *error);

    // Adds one record; never fails: a record that cannot be written is dropped and the next
    // flush reports why.
    void Append(const QString &line);
    // The same for a line that already is bytes (the raw trace's ASCII).
    void AppendBytes(QByteArrayView line);
    // Hands the collected records to the writer, and has the file forced to the disk when
    // ForceEveryMs have passed since the last time (nowMs on the monotonic clock; the first
    // flush after opening starts the count); never waits for the disk. False with the message
    // once the writer has failed, and once the file is no longer found under its name.
    bool Flush(qint64 nowMs, QString *error);
    // Hands over the rest, waits until all is written and forced to the disk, and closes.
    // False with the message on failure; the log is closed either way.
    bool Close(QString *error);

    bool IsOpen() const { return m_device != nullptr; }
    // Lines appended since the open (the head not counted) that the writer has written.
    qint64 LinesWritten();

private:
    QFileDevice *File() const;
    bool HandOver(QString *error);
    void PassToWriter();
    bool WriteHead(QString *error);
    bool WriterFailed(QString *error) const;
    void EndLine();

    std::unique_ptr<QIODevice> m_device;
    std::unique_ptr<TFileWriter> m_writer;  // from the head on, while open
    QString m_what;                         // for the messages
    QString m_name;
    QStringEncoder m_encoder;
    QByteArray m_lineEnd;
    QByteArray m_pending;
    qint64 m_pendingLines = 0;
    // Where each hand-over ended, in bytes and lines since the open, until the writer is past it.
    struct THandedOver {
        qint64 Bytes = 0;
        qint64 Lines = 0;
    };
    std::deque<THandedOver> m_handedOver;
    THandedOver m_handed;
    qint64 m_linesWritten = 0;
    bool m_unforced = false;               // written since the last force to the disk
    std::optional<qint64> m_lastForcedMs;  // monotonic ms
};
