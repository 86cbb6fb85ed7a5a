#pragma once
// The pieces trace lines are made of: blank-separated fields, hexadecimal and decimal numbers,
// fixed-point times, dates in local time. Every reader takes a view of the line and never
// reads past it.

#include <QByteArrayView>
#include <QDate>
#include <QtGlobal>

#include <optional>

namespace TraceText {

// Hands out the fields of a line one by one; blanks are spaces and tabs.
class TFields
{
public:
    explicit TFields(QByteArrayView line) : m_rest(line) {}
    // The next field; empty at the end of the line.
    QByteArrayView Next();
    // What follows the fields handed out so far, without its leading blanks.
    QByteArrayView Rest();

private:
    QByteArrayView m_rest;
};

// Inline: called for every character of millions of lines.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
// Its value, or -1 for a character that is no hexadecimal digit.
inline int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = char(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}
QByteArrayView Trimmed(QByteArrayView text);  // of blanks and line ends

// All of text as a number of the base (16 or 10), one to maxDigits digits, at most
// 0xFFFFFFFF; nothing else in it.
std::optional<quint32> Number(QByteArrayView text, int base, qsizetype maxDigits);
inline std::optional<quint32> HexNumber(QByteArrayView text, qsizetype maxDigits)
{
    return Number(text, 16, maxDigits);
}

// A classic frame's length code, 0..15, as its count of data bytes: from 9 up it means eight.
// Nothing for a larger code.
std::optional<quint8> ClassicDataLength(quint32 code);

// "12.345": whole digits (one to 12), and optionally a point and one to decimals digits, as a
// count of 10^-decimals units: FixedPoint("12.345", 6) is 12345000.
std::optional<qint64> FixedPoint(QByteArrayView text, int decimals);

// Letters compared without regard to case; the text has only ASCII letters that matter.
bool SameWord(QByteArrayView text, QByteArrayView word);

// The month of an English or German three-letter name ("Dec", "Okt", "Mär"), 1..12.
std::optional<int> MonthOfName(QByteArrayView name);

// "12:13:20", "12:13:20.123", "9:05:07.5": the time of day in µs, at most six decimals. Hours
// run 0..23 without a meridiem, 1..12 with "AM" or "PM" (any case); another meridiem is none.
std::optional<qint64> TimeOfDayMicros(QByteArrayView text, QByteArrayView meridiem = {});
bool IsMeridiem(QByteArrayView text);  // "AM" or "PM", any case

// The local wall-clock time of day on a date, as µs since the Unix epoch.
qint64 LocalMicrosSinceEpoch(const QDate &date, qint64 microsOfDay);

}  // namespace TraceText
