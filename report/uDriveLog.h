#pragma once
// A measurement log read back as the program writes it, whatever locale it was written in:
// Windows-1250 text, CR LF or LF line ends, a decimal comma or point, 24- or 12-hour times,
// every record or every 32nd, several logs appended to one file (each with its head), and a
// last line cut off by a crash or a pulled stick.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Unit 1's values of one record, and the vehicle's speed.
struct TDriveRecord {
    // Since the first record, from the records' clock times (whole seconds): the records of one
    // second are spread evenly over it; midnight and a 12-hour clock's noon are passed.
    double Seconds = 0;
    double Speed = 0;  // km/h
    double TiltX = 0;  // degrees
    double TiltY = 0;
    double AccX = 0;  // g
    double AccY = 0;
    double Ltr = 0;
};

struct TDriveLog {
    QString Date;       // as the first head writes it
    QString Firmware;   // of the first head
    QString StartTime;  // the first and the last record's time, as written
    QString EndTime;
    double StartClock = 0;  // the first record's time as seconds of the day (ClockSeconds)
    int Units = 1;          // unit blocks of the first head's column line
    int Heads = 0;          // more than one: logs appended to one file
    // The last line of the file, or of a log another was appended to, was cut off and dropped.
    bool LastLineCut = false;
    QList<TDriveRecord> Records;
};

// The file's bytes as a log; false with a message that names the line ("line 7: ...") where the
// bytes are not such a log. An empty log (a head, no records) is a log.
bool ReadDriveLog(const QByteArray &bytes, TDriveLog *log, QString *error);
// Whether a file's first bytes are those of a log's head.
bool BeginsAsLog(QByteArrayView start);
// The same from a file; false with the reason when it cannot be read.
bool ReadDriveLogFile(const QString &path, TDriveLog *log, QString *error);

// A record's or an event's clock time as seconds of the day, 12-hour times read with their
// AM/PM marker where it is the English one; nothing where the text holds no time.
std::optional<double> ClockSeconds(QStringView time);

// Clock times of a day, in the order they were written, as seconds on an axis that never runs
// back: a time more than six hours before the last passed midnight, or noon on a 12-hour clock
// without a marker; one less far back (a clock set back) takes the last one's place, and the
// times after it go on from there. Gaps stay gaps.
class TClockAxis
{
public:
    // origin: the clock time at 0 on the axis. The first time placed may lie a little before.
    explicit TClockAxis(int origin) : m_offset(-origin) {}
    int Place(int clock);

private:
    int m_offset;
    std::optional<int> m_last;
    bool m_twelveHour = true;  // every time so far read 1:00:00 to 12:59:59
};
