#include "display/uNumberFormat.h"

QString FormatFixed(double value, int decimals, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(value, 'f', decimals);
    // Some locales write U+2212; files and labels keep the plain hyphen-minus.
    if (text.startsWith(QChar(0x2212)))
        text[0] = QLatin1Char('-');
    return text;
}
