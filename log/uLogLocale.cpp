#include "log/uLogLocale.h"

#include <QStringEncoder>

#include <functional>
#include <initializer_list>

namespace {

// Rewrites the fields of a date or time format, runs of one letter ("yy", "t"), with
// rewrite(field). Quoted text and everything else stay as they are.
QString RewriteFields(const QString &format, const std::function<QString(const QString &)> &rewrite)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        qsizetype end = i + 1;
        if (quoted || c == QLatin1Char('\'') || c.unicode() > 127 || !c.isLetter()) {
            result += c;
        } else {
            while (end < format.size() && format[end] == c)
                ++end;
            result += rewrite(format.mid(i, end - i));
        }
        i = end;
    }
    return result;
}

// Direction marks only steer how right-to-left text is shown (the Arabic "d‏/M‏/yyyy"); among
// Latin digits they have nothing to do.
QString WithoutDirectionMarks(QString format)
{
    for (const char16_t mark : {u'\u200E', u'\u200F', u'\u061C'})
        format.remove(QChar(mark));
    return format;
}

// What stood around the zone name goes with it: "H:mm:ss (t)" (Persian), "h:mm:ss AP, t"
// (Albanian), "APh:mm:ss [t]" (Chinese of Hong Kong).
QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    QString plain = RewriteFields(
        WithoutDirectionMarks(locale.timeFormat(QLocale::LongFormat)),
        [](const QString &field) { return field[0] == QLatin1Char('t') ? QString() : field; });
    plain.remove(QStringLiteral("()")).remove(QStringLiteral("[]"));
    plain = plain.simplified();
    if (plain.endsWith(QLatin1Char(',')))
        plain.chop(1);
    return plain;
}

QString ShortDateFormatWithFourDigitYear(const QLocale &locale)
{
    return RewriteFields(WithoutDirectionMarks(locale.dateFormat(QLocale::ShortFormat)),
                         [](const QString &field) {
                             return field == QStringLiteral("yy") ? QStringLiteral("yyyy") : field;
                         });
}

// The first format whose texts of the samples the log can hold; the last, the C locale's,
// always can.
template <typename Moment>
TLogFormat FirstHoldable(std::initializer_list<TLogFormat> formats,
                         std::initializer_list<Moment> samples)
{
    for (const TLogFormat &format : formats) {
        bool holdable = true;
        for (const Moment &sample : samples)
            holdable = holdable && Windows1250CanHold(format.Write(sample));
        if (holdable)
            return format;
    }
    return *(formats.end() - 1);
}

}  // namespace

bool Windows1250CanHold(QStringView text)
{
    QStringEncoder windows1250("windows-1250");
    const QByteArray bytes = windows1250.encode(text);  // errors show only once encoded
    return windows1250.isValid() && !windows1250.hasError();
}

QString LogDecimalSeparator(const QLocale &locale)
{
    const QString own = locale.decimalPoint();
    return Windows1250CanHold(own) ? own : QStringLiteral(".");
}

TLogFormat::TLogFormat(const QLocale &locale, const QString &format)
    : m_locale(locale), m_format(format), m_zero(locale.zeroDigit().toUcs4().value(0, U'0'))
{
}

QString TLogFormat::Write(const QTime &time) const
{
    return Latin(m_locale.toString(time, m_format));
}

QString TLogFormat::Write(const QDate &date) const
{
    return Latin(m_locale.toString(date, m_format));
}

QString TLogFormat::Latin(const QString &text) const
{
    if (m_zero == U'0')
        return text;
    QString latin;
    latin.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c >= m_zero && c <= m_zero + 9)
            latin += QLatin1Char(char('0' + (c - m_zero)));
        else
            latin += QChar::fromUcs4(c);
    }
    return latin;
}

TLogFormat LogTimeFormat(const QLocale &locale)
{
    const QLocale c = QLocale::c();
    const QString own = LongTimeFormatWithoutZone(locale);
    return FirstHoldable(
        {TLogFormat(locale, own), TLogFormat(c, own), TLogFormat(c, LongTimeFormatWithoutZone(c))},
        {QTime(1, 0), QTime(13, 0)});
}

QString LogDate(const QDate &date, const QLocale &locale)
{
    const QLocale c = QLocale::c();
    return FirstHoldable({TLogFormat(locale, ShortDateFormatWithFourDigitYear(locale)),
                          TLogFormat(c, ShortDateFormatWithFourDigitYear(c))},
                         {date})
        .Write(date);
}
