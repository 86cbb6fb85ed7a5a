#include "trace/uCandumpLine.h"

#include "trace/uTraceText.h"

#include <cstdio>

using namespace TraceText;

namespace {

constexpr qint64 MicrosPerSecond = 1000000;
constexpr quint32 ErrorFlag = 0x20000000;  // of an identifier: the line is an error frame

// Pairs of hex digits into bytes; false for anything else or more than the room.
bool ReadHexBytes(QByteArrayView digits, quint8 *bytes, qsizetype room)
{
    if (digits.size() % 2 != 0 || digits.size() > 2 * room)
        return false;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const int high = HexDigit(digits[i]);
        const int low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i / 2] = quint8(high << 4 | low);
    }
    return true;
}

// "123##1" followed by up to 64 data bytes: a CAN FD frame, its flags in one hex digit.
bool IsFdBody(QByteArrayView data)
{
    quint8 bytes[64];
    return data.size() >= 1 && HexDigit(data[0]) >= 0 && ReadHexBytes(data.sliced(1), bytes, 64);
}

}  // namespace

namespace Candump {

QByteArray Line(const TTraceFrame &frame, QByteArrayView interfaceName)
{
    const TPCANMsg &m = frame.Message;
    const qint64 seconds = frame.TimeUs / MicrosPerSecond;
    const qint64 micros = frame.TimeUs % MicrosPerSecond;
    char head[64];
    const bool extended = m.MSGTYPE & PCAN_MESSAGE_EXTENDED;
    std::snprintf(head, sizeof head, "(%lld.%06lld) ", static_cast<long long>(seconds),
                  static_cast<long long>(micros));
    QByteArray line(head);
    line += interfaceName.toByteArray();
    std::snprintf(head, sizeof head, extended ? " %08X#" : " %03X#",
                  extended ? m.ID & 0x1FFFFFFF : m.ID & 0x7FF);
    line += head;
    if (m.MSGTYPE & PCAN_MESSAGE_RTR) {
        line += 'R';
        if (m.LEN > 0 && m.LEN <= 8)  // the length a remote frame asks for
            line += char('0' + m.LEN);
    } else
        line += QByteArray::fromRawData(reinterpret_cast<const char *>(m.DATA), qMin<int>(m.LEN, 8))
                    .toHex()
                    .toUpper();
    line += frame.Sent ? " T" : " R";
    return line;
}

TLineVerdict Parse(QByteArrayView line, TTraceFrame &frame)
{
    line = Trimmed(line);
    if (line.isEmpty())
        return TLineVerdict::Skipped;
    // (time) interface frame [direction]
    if (!line.startsWith('('))
        return TLineVerdict::Damaged;
    const qsizetype close = line.indexOf(')');
    if (close < 0)
        return TLineVerdict::Damaged;
    const std::optional<qint64> time = FixedPoint(line.sliced(1, close - 1), 6);
    if (!time || *time > TTraceFrame::LatestTimeUs)
        return TLineVerdict::Damaged;

    TFields fields(line.sliced(close + 1));
    const QByteArrayView interfaceName = fields.Next();
    const QByteArrayView body = fields.Next();
    const QByteArrayView direction = fields.Next();
    if (interfaceName.isEmpty() || body.isEmpty() || !fields.Rest().isEmpty())
        return TLineVerdict::Damaged;
    if (!direction.isEmpty() && direction != "R" && direction != "T")
        return TLineVerdict::Damaged;

    const qsizetype hash = body.indexOf('#');
    if (hash != 3 && hash != 8)
        return TLineVerdict::Damaged;
    const std::optional<quint32> id = HexNumber(body.first(hash), hash);
    if (!id)
        return TLineVerdict::Damaged;
    const QByteArrayView data = body.sliced(hash + 1);
    if (data.startsWith('#'))
        return IsFdBody(data.sliced(1)) ? TLineVerdict::Skipped : TLineVerdict::Damaged;
    if (hash == 8 && (*id & ErrorFlag))
        return TLineVerdict::Skipped;
    if (*id > (hash == 8 ? 0x1FFFFFFFu : 0x7FFu))
        return TLineVerdict::Damaged;

    TPCANMsg m;
    m.ID = *id;
    m.MSGTYPE = hash == 8 ? PCAN_MESSAGE_EXTENDED : PCAN_MESSAGE_STANDARD;
    if (data.startsWith('R')) {  // a remote frame, its length after the R where given
        m.MSGTYPE |= PCAN_MESSAGE_RTR;
        const QByteArrayView length = data.sliced(1);
        if (length.size() > 1 || (length.size() == 1 && (length[0] < '0' || length[0] > '8')))
            return TLineVerdict::Damaged;
        m.LEN = length.isEmpty() ? 0 : quint8(length[0] - '0');
    } else {
        if (!ReadHexBytes(data, m.DATA, 8))
            return TLineVerdict::Damaged;
        m.LEN = quint8(data.size() / 2);
    }
    frame.TimeUs = *time;
    frame.Message = m;
    frame.Sent = direction == "T";
    return TLineVerdict::Frame;
}

}  // namespace Candump
