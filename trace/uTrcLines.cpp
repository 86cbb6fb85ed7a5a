#include "trace/uTrcLines.h"

#include "trace/uTraceText.h"

#include <cmath>

using namespace TraceText;

namespace {

constexpr qint64 MicrosPerDay = qint64(86400) * 1000000;

// The columns of each version's message lines where the file does not list them. N the
// message number, O the time offset, T the type, B the bus, I the identifier, d the direction,
// R reserved, l the data length, L the length code, D the data bytes.
struct TVersionColumns {
    const char *version;
    int major;
    const char *columns;
};
constexpr TVersionColumns VersionColumns[] = {
    {"1.0", 1, "NOILD"},    {"1.1", 1, "NOTILD"},  {"1.2", 1, "NOBTILD"},
    {"1.3", 1, "NOBTIRLD"}, {"2.0", 2, "NOTIdlD"}, {"2.1", 2, "NOTBIdRLD"},
};
constexpr QByteArrayView ColumnLetters = "NOTBIdRlLD";

// "45634.5092534722": whole days since 30 December 1899 and the fraction of the day, local
// time. The fraction's last digits are noise below a millisecond: the start is taken to the
// nearest 100 µs, the finest step PCAN-View shows.
std::optional<qint64> StartTime(QByteArrayView text)
{
    const qsizetype dot = text.indexOf('.');
    const QByteArrayView whole = dot < 0 ? text : text.first(dot);
    const QByteArrayView fraction = dot < 0 ? QByteArrayView() : text.sliced(dot + 1);
    const std::optional<quint32> days = Number(whole, 10, 6);
    if (!days || fraction.size() > 15 || (dot >= 0 && fraction.isEmpty()))
        return std::nullopt;
    double part = 0;
    for (qsizetype i = fraction.size() - 1; i >= 0; --i) {
        if (fraction[i] < '0' || fraction[i] > '9')
            return std::nullopt;
        part = (part + (fraction[i] - '0')) / 10;
    }
    qint64 micros = std::llround(part * MicrosPerDay / 100) * 100;
    QDate date = QDate(1899, 12, 30).addDays(*days);
    if (micros >= MicrosPerDay) {
        micros -= MicrosPerDay;
        date = date.addDays(1);
    }
    if (date.year() < 1970)
        return std::nullopt;
    return LocalMicrosSinceEpoch(date, micros);
}

// "12/8/2024" (month first), "8.12.2024" (day first) or "2024-12-08", as Windows' short date
// of the machine that wrote the file.
QDate StartDate(QByteArrayView text)
{
    for (const char separator : {'/', '.', '-'}) {
        const qsizetype first = text.indexOf(separator);
        const qsizetype second = first < 0 ? -1 : text.indexOf(separator, first + 1);
        if (second < 0)
            continue;
        const std::optional<quint32> a = Number(text.first(first), 10, 4);
        const std::optional<quint32> b = Number(text.sliced(first + 1, second - first - 1), 10, 2);
        const std::optional<quint32> c = Number(text.sliced(second + 1), 10, 4);
        if (!a || !b || !c)
            return {};
        if (separator == '/')
            return QDate(int(*c), int(*a), int(*b));
        if (separator == '.')
            return QDate(int(*c), int(*b), int(*a));
        return QDate(int(*a), int(*b), int(*c));
    }
    return {};
}

// "12/8/2024 12:13:20.123.0": the date and the time with ms and a digit of 100 µs.
std::optional<qint64> CommentStartTime(QByteArrayView text)
{
    TFields fields(text);
    const QDate date = StartDate(fields.Next());
    QByteArrayView time = fields.Next();
    qint64 tenthsOfMs = 0;
    if (time.count('.') == 2) {
        const std::optional<quint32> tenth = Number(time.sliced(time.lastIndexOf('.') + 1), 10, 1);
        if (!tenth)
            return std::nullopt;
        tenthsOfMs = *tenth;
        time = time.first(time.lastIndexOf('.'));
    }
    const QByteArrayView meridiem = fields.Next();
    const std::optional<qint64> micros = TimeOfDayMicros(time, meridiem);
    if (!date.isValid() || date.year() < 1970 || !micros || !fields.Rest().isEmpty())
        return std::nullopt;
    return LocalMicrosSinceEpoch(date, *micros + tenthsOfMs * 100);
}

// "N,O,T,B,I,d,R,L,D" as "NOTBIdRLD"; empty when a letter is unknown or D is not last.
QByteArray Columns(QByteArrayView text)
{
    QByteArray columns;
    for (qsizetype i = 0; i < text.size(); i += 2) {
        if (!ColumnLetters.contains(text[i]) || columns.contains(text[i])
            || (i + 1 < text.size() && text[i + 1] != ','))
            return {};
        columns += text[i];
    }
    return columns.endsWith('D') || !columns.contains('D') ? columns : QByteArray();
}

}  // namespace

TLineVerdict TTrcLines::Read(QByteArrayView line, TTraceFrame &frame)
{
    line = Trimmed(line);
    if (line.isEmpty())
        return TLineVerdict::Skipped;
    if (line.startsWith(';'))
        return ReadHeadLine(line.sliced(1));
    return ReadMessage(line, frame);
}

TLineVerdict TTrcLines::ReadHeadLine(QByteArrayView line)
{
    const qsizetype equals = line.indexOf('=');
    const QByteArrayView value = equals < 0 ? QByteArrayView() : Trimmed(line.sliced(equals + 1));
    if (line.startsWith("$FILEVERSION")) {
        for (const TVersionColumns &known : VersionColumns) {
            if (value == known.version) {
                m_major = known.major;
                m_columns = known.columns;
                return TLineVerdict::Skipped;
            }
        }
        return TLineVerdict::Damaged;
    }
    if (line.startsWith("$STARTTIME")) {
        const std::optional<qint64> start = StartTime(value);
        if (!start)
            return TLineVerdict::Damaged;
        m_startUs = *start;
        m_startTimeGiven = true;
        return TLineVerdict::Skipped;
    }
    if (line.startsWith("$COLUMNS")) {
        const QByteArray columns = Columns(value);
        if (columns.isEmpty())
            return TLineVerdict::Damaged;
        m_columns = columns;
        return TLineVerdict::Skipped;
    }
    const QByteArrayView comment = Trimmed(line);
    if (!m_startTimeGiven && comment.startsWith("Start time:")) {
        const std::optional<qint64> start = CommentStartTime(comment.sliced(11));
        if (!start)
            return TLineVerdict::Damaged;
        m_startUs = *start;
    }
    return TLineVerdict::Skipped;
}

TLineVerdict TTrcLines::ReadMessage(QByteArrayView line, TTraceFrame &frame) const
{
    TFields fields(line);
    std::optional<qint64> offsetUs;
    std::optional<quint32> id;
    qsizetype idDigits = 0;
    int length = -1;
    bool remote = false;
    bool sent = false;
    for (const char column : m_columns) {
        if (column == 'D')
            break;
        const QByteArrayView field = fields.Next();
        if (field.isEmpty())
            return TLineVerdict::Damaged;  // a line cut short
        switch (column) {
        case 'N':
            if (!Number(field.endsWith(')') ? field.chopped(1) : field, 10, 10))
                return TLineVerdict::Damaged;
            break;
        case 'O':
            offsetUs = FixedPoint(field, 3);  // ms, in µs
            if (!offsetUs)
                return TLineVerdict::Damaged;
            break;
        case 'T':
            if (m_major == 1 && (field == "Rx" || field == "Tx")) {
                sent = field == "Tx";
            } else if (m_major == 2 && (field == "DT" || field == "RR")) {
                remote = field == "RR";
            } else {
                // 1.x: Warng, Error; 2.x: CAN FD (FD, FB, FE, BI), error frames (ER), status
                // (ST), error counters (EC) and events (EV).
                static constexpr const char *Passed[] = {"Warng", "Error", "FD", "FB", "FE",
                                                         "BI",    "ER",    "ST", "EC", "EV"};
                for (const char *type : Passed) {
                    if (field == type)
                        return TLineVerdict::Skipped;
                }
                return TLineVerdict::Damaged;
            }
            break;
        case 'I':
            id = HexNumber(field, 8);
            idDigits = field.size();
            if (id && *id == 0xFFFFFFFF && m_columns.indexOf('T') < 0)
                return TLineVerdict::Skipped;  // version 1.0's bus status
            break;
        case 'd':
            if (field != "Rx" && field != "Tx")
                return TLineVerdict::Damaged;
            sent = field == "Tx";
            break;
        case 'l':
        case 'L':
            if (m_major == 1 && field == "RTR") {  // a remote frame without its length
                remote = true;
                length = 0;
            } else if (const std::optional<quint32> code = Number(field, 10, 2); code) {
                if (const std::optional<quint8> bytes = ClassicDataLength(*code))
                    length = *bytes;
            }
            break;
        default:  // B, R: nothing a frame needs
            break;
        }
    }
    const bool extended = idDigits > 4;
    if (!offsetUs || !id || *id > (extended ? 0x1FFFFFFFu : 0x7FFu) || length < 0)
        return TLineVerdict::Damaged;

    TPCANMsg m;
    m.ID = *id;
    m.MSGTYPE = extended ? PCAN_MESSAGE_EXTENDED : PCAN_MESSAGE_STANDARD;
    m.LEN = quint8(length);
    if (m_major == 1 && !remote && fields.Rest().startsWith("RTR"))
        remote = true;  // 1.x: RTR in place of the data
    if (remote) {
        m.MSGTYPE |= PCAN_MESSAGE_RTR;
    } else {
        for (int i = 0; i < length; ++i) {
            const std::optional<quint32> byte = HexNumber(fields.Next(), 2);
            if (!byte)
                return TLineVerdict::Damaged;
            m.DATA[i] = quint8(*byte);
        }
        // Bytes left past the length code's: no classic frame, or a damaged line.
        if (!fields.Rest().isEmpty())
            return TLineVerdict::Damaged;
    }
    const qint64 timeUs = m_startUs + *offsetUs;
    if (timeUs < 0 || timeUs > TTraceFrame::LatestTimeUs)
        return TLineVerdict::Damaged;
    frame.TimeUs = timeUs;
    frame.Message = m;
    frame.Sent = sent;
    return TLineVerdict::Frame;
}
