#include "trace/uTraceText.h"

#include <QDateTime>
#include <QTime>

namespace TraceText {

namespace {

constexpr qint64 MicrosPerSecond = 1000000;

int DigitValue(char c, int base)
{
    const int digit = base == 16 ? HexDigit(c) : c >= '0' && c <= '9' ? c - '0' : -1;
    return digit < base ? digit : -1;
}

// "05" of "12:05": exactly two digits.
std::optional<int> TwoDigits(QByteArrayView text)
{
    if (text.size() != 2)
        return std::nullopt;
    const std::optional<quint32> value = Number(text, 10, 2);
    return value ? std::optional<int>(int(*value)) : std::nullopt;
}

}  // namespace

QByteArrayView TFields::Next()
{
    qsizetype start = 0;
    while (start < m_rest.size() && IsBlank(m_rest[start]))
        ++start;
    qsizetype end = start;
    while (end < m_rest.size() && !IsBlank(m_rest[end]))
        ++end;
    const QByteArrayView field = m_rest.sliced(start, end - start);
    m_rest = m_rest.sliced(end);
    return field;
}

QByteArrayView TFields::Rest()
{
    qsizetype start = 0;
    while (start < m_rest.size() && IsBlank(m_rest[start]))
        ++start;
    m_rest = m_rest.sliced(start);
    return m_rest;
}

QByteArrayView Trimmed(QByteArrayView text)
{
    const auto outer = [](char c) { return IsBlank(c) || c == '\r' || c == '\n'; };
    while (!text.isEmpty() && outer(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && outer(text.back()))
        text.chop(1);
    return text;
}

std::optional<quint32> Number(QByteArrayView text, int base, qsizetype maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    quint64 value = 0;
    for (const char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * quint64(base) + quint64(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return quint32(value);
}

std::optional<quint8> ClassicDataLength(quint32 code)
{
    if (code > 15)
        return std::nullopt;
    return quint8(qMin(code, 8u));
}

std::optional<qint64> FixedPoint(QByteArrayView text, int decimals)
{
    const qsizetype dot = text.indexOf('.');
    const QByteArrayView whole = dot < 0 ? text : text.first(dot);
    const QByteArrayView fraction = dot < 0 ? QByteArrayView() : text.sliced(dot + 1);
    if (whole.isEmpty() || whole.size() > 12 || fraction.size() > decimals
        || (dot >= 0 && fraction.isEmpty()))
        return std::nullopt;
    qint64 value = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    for (int i = 0; i < decimals; ++i) {
        const char c = i < fraction.size() ? fraction[i] : '0';
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool SameWord(QByteArrayView text, QByteArrayView word)
{
    if (text.size() != word.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if ((text[i] | 0x20) != (word[i] | 0x20))
            return false;
    }
    return true;
}

std::optional<int> MonthOfName(QByteArrayView name)
{
    static constexpr const char *English[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                              "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int month = 1; month <= 12; ++month) {
        if (SameWord(name, English[month - 1]))
            return month;
    }
    // German Windows writes its own names where they differ; "ä" in UTF-8 or Windows-1252.
    if (SameWord(name, "mrz") || SameWord(name, "m\xC3\xA4r") || SameWord(name, "m\xE4r"))
        return 3;
    if (SameWord(name, "mai"))
        return 5;
    if (SameWord(name, "okt"))
        return 10;
    if (SameWord(name, "dez"))
        return 12;
    return std::nullopt;
}

bool IsMeridiem(QByteArrayView text)
{
    return SameWord(text, "am") || SameWord(text, "pm");
}

std::optional<qint64> TimeOfDayMicros(QByteArrayView text, QByteArrayView meridiem)
{
    const bool twelveHour = !meridiem.isEmpty();
    const qsizetype colon = text.indexOf(':');
    if ((twelveHour && !IsMeridiem(meridiem)) || colon < 1 || colon > 2 || text.size() < colon + 6
        || text[colon + 3] != ':')
        return std::nullopt;
    const std::optional<quint32> hours = Number(text.first(colon), 10, 2);
    const std::optional<int> minutes = TwoDigits(text.sliced(colon + 1, 2));
    const QByteArrayView secondsText = text.sliced(colon + 4);
    const qsizetype dot = secondsText.indexOf('.');
    const std::optional<qint64> seconds = FixedPoint(secondsText, 6);
    const quint32 firstHour = twelveHour ? 1 : 0;
    const quint32 lastHour = twelveHour ? 12 : 23;
    if (!hours || *hours < firstHour || *hours > lastHour || !minutes || *minutes > 59
        || (dot < 0 ? secondsText.size() : dot) != 2 || !seconds
        || *seconds >= 60 * MicrosPerSecond)
        return std::nullopt;
    quint32 hour = *hours;
    if (twelveHour)  // 12 AM is midnight, 12 PM noon
        hour = hour % 12 + (SameWord(meridiem, "pm") ? 12 : 0);
    return (qint64(hour) * 3600 + *minutes * 60) * MicrosPerSecond + *seconds;
}

qint64 LocalMicrosSinceEpoch(const QDate &date, qint64 microsOfDay)
{
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(microsOfDay / 1000));
    return QDateTime(date, time).toMSecsSinceEpoch() * 1000 + microsOfDay % 1000;
}

}  // namespace TraceText
