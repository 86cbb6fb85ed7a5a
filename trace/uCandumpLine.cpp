#include "trace/uCandumpLine.h"

#include <cstdio>

namespace {

constexpr qint64 MicrosPerSecond = 1000000;

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// All of text as hex digits, at most maxDigits of them.
std::optional<quint32> HexNumber(QByteArrayView text, qsizetype maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    quint32 value = 0;
    for (const char c : text) {
        if (!IsHex(c))
            return std::nullopt;
        value = value << 4 | quint32(HexValue(c));
    }
    return value;
}

// "1733660000.123456": seconds and up to six decimals, nothing else.
std::optional<qint64> Micros(QByteArrayView text)
{
    const qsizetype dot = text.indexOf('.');
    const QByteArrayView whole = dot < 0 ? text : text.first(dot);
    const QByteArrayView fraction = dot < 0 ? QByteArrayView() : text.sliced(dot + 1);
    if (whole.isEmpty() || whole.size() > 12 || fraction.size() > 6)
        return std::nullopt;
    qint64 seconds = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        seconds = seconds * 10 + (c - '0');
    }
    qint64 micros = 0;
    for (qsizetype i = 0; i < 6; ++i) {
        const char c = i < fraction.size() ? fraction[i] : '0';
        if (c < '0' || c > '9')
            return std::nullopt;
        micros = micros * 10 + (c - '0');
    }
    return seconds * MicrosPerSecond + micros;
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

std::optional<TTraceFrame> Parse(QByteArrayView line)
{
    line = line.trimmed();
    // (time) interface frame [direction]
    if (!line.startsWith('('))
        return std::nullopt;
    const qsizetype close = line.indexOf(')');
    if (close < 0)
        return std::nullopt;
    TTraceFrame frame;
    const std::optional<qint64> time = Micros(line.sliced(1, close - 1));
    if (!time)
        return std::nullopt;
    frame.TimeUs = *time;

    QByteArrayView rest = line.sliced(close + 1).trimmed();
    const qsizetype afterInterface = rest.indexOf(' ');
    if (afterInterface <= 0)
        return std::nullopt;
    rest = rest.sliced(afterInterface + 1).trimmed();
    const qsizetype space = rest.indexOf(' ');
    const QByteArrayView body = space < 0 ? rest : rest.first(space);
    const QByteArrayView direction =
        space < 0 ? QByteArrayView() : rest.sliced(space + 1).trimmed();
    if (direction == "T")
        frame.Sent = true;
    else if (!direction.isEmpty() && direction != "R")
        return std::nullopt;

    const qsizetype hash = body.indexOf('#');
    if (hash != 3 && hash != 8)
        return std::nullopt;
    const std::optional<quint32> id = HexNumber(body.first(hash), hash);
    if (!id || *id > (hash == 8 ? 0x1FFFFFFFu : 0x7FFu))  // an error frame's flag, or damage
        return std::nullopt;
    TPCANMsg &m = frame.Message;
    m.ID = *id;
    m.MSGTYPE = hash == 8 ? PCAN_MESSAGE_EXTENDED : PCAN_MESSAGE_STANDARD;
    const QByteArrayView data = body.sliced(hash + 1);
    if (data.startsWith('R')) {  // a remote frame, its length after the R where given
        m.MSGTYPE |= PCAN_MESSAGE_RTR;
        const QByteArrayView length = data.sliced(1);
        if (length.size() > 1 || (length.size() == 1 && (length[0] < '0' || length[0] > '8')))
            return std::nullopt;
        m.LEN = length.isEmpty() ? 0 : quint8(length[0] - '0');
        return frame;
    }
    if (data.size() % 2 != 0 || data.size() > 16)  // CAN FD ("##") and longer frames end here
        return std::nullopt;
    for (qsizetype i = 0; i < data.size(); i += 2) {
        if (!IsHex(data[i]) || !IsHex(data[i + 1]))
            return std::nullopt;
        m.DATA[i / 2] = quint8(HexValue(data[i]) << 4 | HexValue(data[i + 1]));
    }
    m.LEN = quint8(data.size() / 2);
    return frame;
}

}  // namespace Candump
