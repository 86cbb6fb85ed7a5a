#pragma once
// One frame of a raw trace as a line of the candump log format, which can-utils, python-can and
// most CAN tools read and write:
//   (1733660000.123456) can0 18FECE47#0123456789ABCDEF R
// time in seconds since the Unix epoch with microseconds, the interface, the identifier (three
// hex digits standard, eight extended), '#', the data bytes in hex ("R" for a remote frame),
// and the direction: R received, T sent (older files have none: taken as received).

#include "trace/uTraceFrame.h"

#include <QByteArray>
#include <QByteArrayView>

namespace Candump {
QByteArray Line(const TTraceFrame &frame, QByteArrayView interfaceName = "can0");
// The frame of one line, its line end already removed. CAN FD frames ("##") and error frames
// (the identifier's error flag 0x20000000) are skipped, as is an empty line; any other line
// that is not a classic CAN frame is damaged, a log holding nothing else.
TLineVerdict Parse(QByteArrayView line, TTraceFrame &frame);
}  // namespace Candump

// The candump log's line rules for a whole file; the format has no state.
class TCandumpLines : public TTraceLines
{
public:
    TLineVerdict Read(QByteArrayView line, TTraceFrame &frame) override
    {
        return Candump::Parse(line, frame);
    }
    std::unique_ptr<TTraceLines> Clone() const override
    {
        return std::make_unique<TCandumpLines>();
    }
};
