#include "trace/uAscLines.h"

#include "trace/uTraceText.h"

using namespace TraceText;

namespace {

// "Sun Dec 8 12:13:20.123 PM 2024", "Sun Dec  8 12:13:20 2024", "Mi Okt 23 10:22:32.125 2024",
// the weekday optional: µs since the Unix epoch of that local time.
std::optional<qint64> AscDate(QByteArrayView text)
{
    TFields fields(text);
    QByteArrayView field = fields.Next();
    std::optional<int> month = MonthOfName(field);
    if (!month)
        month = MonthOfName(fields.Next());  // after the weekday
    const std::optional<quint32> day = Number(fields.Next(), 10, 2);
    const QByteArrayView timeText = fields.Next();
    field = fields.Next();
    const QByteArrayView meridiem = IsMeridiem(field) ? field : QByteArrayView();
    if (!meridiem.isEmpty())
        field = fields.Next();
    const std::optional<quint32> year = Number(field, 10, 4);
    const std::optional<qint64> time = TimeOfDayMicros(timeText, meridiem);
    if (!month || !day || !year || !time || !fields.Rest().isEmpty())
        return std::nullopt;
    const QDate date(int(*year), *month, int(*day));
    if (!date.isValid() || *year < 1970)
        return std::nullopt;
    return LocalMicrosSinceEpoch(date, *time);
}

bool IsDigits(QByteArrayView text)
{
    return !text.isEmpty() && Number(text, 10, text.size()).has_value();
}

}  // namespace

TLineVerdict TAscLines::Read(QByteArrayView line, TTraceFrame &frame)
{
    TFields fields(line);
    const QByteArrayView first = fields.Next();
    if (first.isEmpty() || first.startsWith("//"))
        return TLineVerdict::Skipped;
    if (first[0] >= '0' && first[0] <= '9') {
        const std::optional<qint64> time = FixedPoint(first, 6);  // s, in µs
        return time ? ReadTimedLine(*time, fields.Rest(), frame) : TLineVerdict::Damaged;
    }
    return ReadKeywordLine(first, fields.Rest());
}

TLineVerdict TAscLines::ReadKeywordLine(QByteArrayView keyword, QByteArrayView rest)
{
    TFields fields(rest);
    if (SameWord(keyword, "date")) {
        const std::optional<qint64> start = AscDate(rest);
        if (!start)
            return TLineVerdict::Damaged;
        m_startUs = *start;
        return TLineVerdict::Skipped;
    }
    if (SameWord(keyword, "base")) {
        const QByteArrayView base = fields.Next();
        const QByteArrayView timestamps = fields.Next();
        const QByteArrayView mode = fields.Next();
        const bool hex = SameWord(base, "hex");
        if ((!hex && !SameWord(base, "dec")) || !fields.Rest().isEmpty())
            return TLineVerdict::Damaged;
        const bool relative = SameWord(mode, "relative");
        if (!timestamps.isEmpty()
            && (!SameWord(timestamps, "timestamps") || (!relative && !SameWord(mode, "absolute"))))
            return TLineVerdict::Damaged;
        m_base = hex ? 16 : 10;
        m_relative = relative;
        return TLineVerdict::Skipped;
    }
    if (SameWord(keyword, "begin")) {
        if (!SameWord(fields.Next(), "triggerblock"))
            return TLineVerdict::Damaged;
        m_elapsedUs = 0;
        if (fields.Rest().isEmpty())  // no date of its own: the file's stays
            return TLineVerdict::Skipped;
        const std::optional<qint64> start = AscDate(fields.Rest());
        if (!start)
            return TLineVerdict::Damaged;
        m_startUs = *start;
        return TLineVerdict::Skipped;
    }
    if (SameWord(keyword, "end"))
        return SameWord(fields.Next(), "triggerblock") ? TLineVerdict::Skipped
                                                       : TLineVerdict::Damaged;
    // "internal events logged", "no internal events logged"
    if (SameWord(keyword, "no"))
        keyword = fields.Next();
    if (SameWord(keyword, "internal") && SameWord(fields.Next(), "events")
        && SameWord(fields.Next(), "logged") && fields.Rest().isEmpty())
        return TLineVerdict::Skipped;
    return TLineVerdict::Damaged;
}

TLineVerdict TAscLines::ReadTimedLine(qint64 timeUs, QByteArrayView rest, TTraceFrame &frame)
{
    if (m_relative) {
        if (timeUs > TTraceFrame::LatestTimeUs - m_elapsedUs)
            return TLineVerdict::Damaged;
        m_elapsedUs += timeUs;
        timeUs = m_elapsedUs;
    }
    TFields fields(rest);
    const QByteArrayView channel = fields.Next();
    if (!IsDigits(channel))  // "CANFD", "Start of measurement", "SV:" and other events
        return channel.isEmpty() ? TLineVerdict::Damaged : TLineVerdict::Skipped;
    const QByteArrayView idText = fields.Next();
    const QByteArrayView direction = fields.Next();
    TTraceFrame read;
    const TLineVerdict verdict = ReadFrame(idText, direction, fields.Rest(), read);
    if (verdict != TLineVerdict::Frame)
        return verdict;
    read.TimeUs = m_startUs + timeUs;
    if (read.TimeUs < 0 || read.TimeUs > TTraceFrame::LatestTimeUs)
        return TLineVerdict::Damaged;
    frame = read;
    return TLineVerdict::Frame;
}

TLineVerdict TAscLines::ReadFrame(QByteArrayView idText, QByteArrayView direction,
                                  QByteArrayView rest, TTraceFrame &frame) const
{
    if (SameWord(idText, "errorframe"))
        return TLineVerdict::Skipped;
    const bool extended = idText.endsWith('x') || idText.endsWith('X');
    const std::optional<quint32> id =
        Number(extended ? idText.chopped(1) : idText, m_base, m_base == 16 ? 8 : 10);
    const bool rx = direction == "Rx";
    if (!rx && direction != "Tx") {
        // A line cut after its identifier is damaged; a statistic, a chip status, a J1939
        // transport message or a transmit request ("TxRq") is not a frame on the bus.
        return id && direction.isEmpty() ? TLineVerdict::Damaged : TLineVerdict::Skipped;
    }
    if (!id || *id > (extended ? 0x1FFFFFFFu : 0x7FFu))
        return TLineVerdict::Damaged;

    TFields fields(rest);
    const QByteArrayView kind = fields.Next();
    TPCANMsg m;
    m.ID = *id;
    m.MSGTYPE = extended ? PCAN_MESSAGE_EXTENDED : PCAN_MESSAGE_STANDARD;
    const std::optional<quint32> dlc = Number(fields.Next(), m_base, 2);
    const std::optional<quint8> length = ClassicDataLength(dlc.value_or(UINT32_MAX));
    if (kind == "r") {
        m.MSGTYPE |= PCAN_MESSAGE_RTR;  // its length is optional, older tools write none
        m.LEN = length.value_or(0);
    } else if (kind == "d" && length) {
        m.LEN = *length;
        for (int i = 0; i < m.LEN; ++i) {
            const std::optional<quint32> byte = Number(fields.Next(), m_base, m_base == 16 ? 2 : 3);
            if (!byte || *byte > 0xFF)
                return TLineVerdict::Damaged;
            m.DATA[i] = quint8(*byte);
        }
    } else {
        return TLineVerdict::Damaged;
    }
    frame.Message = m;
    frame.Sent = !rx;
    return TLineVerdict::Frame;
}
