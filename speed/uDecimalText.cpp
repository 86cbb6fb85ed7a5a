#include "speed/uDecimalText.h"

#include <cmath>

QString FixDecimalSeparator(const QString &text, const QLocale &locale)
{
    const QString separator = locale.decimalPoint();
    QString fixed = text;
    fixed.replace(QLatin1Char(','), separator);
    fixed.replace(QLatin1Char('.'), separator);
    return fixed;
}

std::optional<double> ReadDecimal(const QString &text, const QLocale &locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(FixDecimalSeparator(text, locale), &ok);
    // "nan" and "inf" parse, but no speed source sends them and no later step can use them.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
