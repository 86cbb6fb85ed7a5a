#include "display/uNumberFormat.h"

namespace {

// The locale without group separators; kept between calls, since the log formats hundreds
// of thousands of numbers a second.
const QLocale &WithoutGroupSeparator(const QLocale &locale)
{
    thread_local QLocale source = QLocale::c();
    thread_local QLocale plain = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::OmitGroupSeparator);
        return c;
    }();
    if (!(locale == source)) {
        source = locale;
        plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
    }
    return plain;
}

} // namespace

QString FormatFixed(double value, int decimals, const QLocale &locale)
{
    QString text = WithoutGroupSeparator(locale).toString(value, 'f', decimals);
    // Some locales write U+2212; files and labels keep the plain hyphen-minus.
    if (text.startsWith(QChar(0x2212)))
        text[0] = QLatin1Char('-');
    return text;
}
