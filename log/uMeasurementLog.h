#pragma once
// The open measurement log file: Windows-1250 text with CR LF line ends. Records collect in
// memory and reach the file at every flush (the display tick, within about 100 ms) and at
// the close; what has reached the file survives the program being killed. Failure messages
// name the file and what failed, followed by the system's message.

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QString>
#include <QStringEncoder>
#include <QStringList>

#include <memory>

class TMeasurementLog
{
public:
    TMeasurementLog();
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
    // Hands the collected records to the file. False with the message on failure, also once
    // the file is no longer found under its name.
    bool Flush(QString *error);
    // Flushes and closes. False with the message on failure; the log is closed either way.
    bool Close(QString *error);

    bool IsOpen() const { return m_device != nullptr; }

private:
    QFileDevice *File() const;
    bool WritePending();

    std::unique_ptr<QIODevice> m_device;
    QString m_name;  // for the messages
    QStringEncoder m_encoder;
    QByteArray m_pending;
    QString m_error;  // a write that failed since the last flush
};
