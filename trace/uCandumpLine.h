#pragma once
// One frame of a raw trace as a line of the candump log format, which can-utils, python-can and
// most CAN tools read and write:
//   (1733660000.123456) can0 18FECE47#0123456789ABCDEF R
// time in seconds since the Unix epoch with microseconds, the interface, the identifier (three
// hex digits standard, eight extended), '#', the data bytes in hex ("R" for a remote frame),
// and the direction: R received, T sent (older files have none: taken as received).

#include "can/PCANBasic.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

struct TTraceFrame {
    qint64 TimeUs = 0;  // microseconds since the Unix epoch
    TPCANMsg Message;   // ID, standard or extended, remote or not, LEN, DATA
    bool Sent = false;  // written by the program, not received

    bool operator==(const TTraceFrame &) const = default;
};

namespace Candump {
QByteArray Line(const TTraceFrame &frame, QByteArrayView interfaceName = "can0");
// The frame of one line, its line end already removed; nothing for a line that is not a
// classic CAN frame (CAN FD, an error frame, a comment, damage).
std::optional<TTraceFrame> Parse(QByteArrayView line);
}  // namespace Candump
