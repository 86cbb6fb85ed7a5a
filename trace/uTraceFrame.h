#pragma once
// One frame of a raw trace, and what the line rules of each trace format make of a line.

#include "adapter/PCANBasic.h"

#include <QByteArrayView>

#include <memory>

struct TTraceFrame {
    // The last microsecond of the year 9999: a later time, or one before 1970, is damage.
    static constexpr qint64 LatestTimeUs = 253402300799999999;

    qint64 TimeUs = 0;  // microseconds since the Unix epoch, 0..LatestTimeUs
    TPCANMsg Message;   // ID, standard or extended, remote or not, LEN, DATA
    bool Sent = false;  // written by the program, not received

    bool operator==(const TTraceFrame &) const = default;
};

enum class TLineVerdict {
    Frame,    // a classic CAN frame
    Skipped,  // nothing for the log and nothing wrong: a header, comment, event, error frame,
              // CAN FD frame or empty line
    Damaged,  // should have been one of the above, and is not
};

// One format's line rules. A line may change what the next lines mean (a start date, a
// number base, the columns), so the rules of a file are read by one object, line by line.
class TTraceLines
{
public:
    virtual ~TTraceLines() = default;
    // One line, its line end removed. frame is filled only for a Frame.
    virtual TLineVerdict Read(QByteArrayView line, TTraceFrame &frame) = 0;
    // The rules as the lines so far have set them: reading can go on from there later.
    virtual std::unique_ptr<TTraceLines> Clone() const = 0;
};
