#pragma once
// The events record beside a log: what happened during the drive besides the samples (the
// log's start and stop, alarms, requests, losses), one line an event, in the log's encoding,
// line ends, separator and time format, so that the two files read side by side.

#include "log/uMeasurementLog.h"

#include <QLocale>
#include <QString>
#include <QTime>

class TEventsRecord
{
public:
    // Opens the file for appending, or creates it with its column line. False with the message.
    bool Open(const QString &path, QString *error);
    // One line: the time, the event's name and its details. Details come from anywhere: a
    // separator or a line break in them would break the columns, so they are replaced.
    void Write(const QTime &time, const char *event, const QString &details,
               const QLocale &locale = QLocale());
    bool Flush(qint64 nowMs, QString *error) { return m_file.Flush(nowMs, error); }
    bool Close(QString *error) { return m_file.Close(error); }
    bool IsOpen() const { return m_file.IsOpen(); }

    // The open file; tests put failing devices behind it.
    TMeasurementLog &File() { return m_file; }

private:
    TMeasurementLog m_file{"\r\n", QStringLiteral("the events record")};
};
