#include "base/uNumberFormat.h"

#include "base/uLocaleCache.h"

namespace {

QString DecimalSeparatorOf(const QLocale &locale)
{
    return locale.decimalPoint();
}

}  // namespace

QString FormatFixed(double value, int decimals, const QLocale &locale)
{
    return FormatFixedWithSeparator(value, decimals,
                                    ChosenFor<QString, DecimalSeparatorOf>(locale));
}

QString FormatFixedWithSeparator(double value, int decimals, const QString &separator)
{
    // The C locale's text has the digits and the sign wanted everywhere; only its point changes.
    QString text = QString::number(value, 'f', decimals);
    if (separator != QLatin1Char('.')) {
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        if (point >= 0)
            text.replace(point, 1, separator);
    }
    return text;
}
