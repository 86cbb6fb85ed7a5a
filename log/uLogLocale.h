#pragma once
// What the measurement log keeps of the user's locale. The log is Windows-1250 text that
// people and programs read alike: its numbers, dates and times are in Latin digits, and the
// locale's decimal separator, AM/PM markers and date and time formats go in only where the code
// page has bytes for them, so that the file never holds a replacement byte.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>

// Whether every character of the text has a byte in Windows-1250.
bool Windows1250CanHold(QStringView text);

// The locale's decimal separator, or the C locale's "." where the log cannot hold it (the
// Arabic "٫").
QString LogDecimalSeparator(const QLocale &locale);

// A date or time format and the locale that fills it in (its names and AM/PM markers); the
// digits come out Latin whatever the locale's own are.
class TLogFormat
{
public:
    TLogFormat(const QLocale &locale, const QString &format);
    QString Write(const QTime &time) const;
    QString Write(const QDate &date) const;

private:
    QString Latin(const QString &text) const;

    QLocale m_locale;
    QString m_format;
    char32_t m_zero;  // the locale's digit zero; its nine successors are the other digits
};

// The locale's long time format without the time-zone name (the log's times are local); with
// the C locale's AM/PM where the log cannot hold the locale's (Arabic "م"), and the C locale's
// format where it cannot hold the format's own text (Japanese "時").
TLogFormat LogTimeFormat(const QLocale &locale);

// The date in the locale's short format with a four-digit year: "1/2/2024" on en_US, whose
// short format has "1/2/24". The C locale's format where the log cannot hold the locale's (the
// Bulgarian "г.").
QString LogDate(const QDate &date, const QLocale &locale);
