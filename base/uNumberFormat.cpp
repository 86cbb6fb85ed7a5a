#include "base/uNumberFormat.h"

#include "base/uLocaleCache.h"

#include <cmath>

namespace {

QString DecimalSeparatorOf(const QLocale &locale)
{
    return locale.decimalPoint();
}

constexpr double PowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// value with decimals (0..9) into buffer as QString::number(value, 'f', decimals) writes it,
// without its allocations: correctly rounded, an exact half away from zero, a minus sign on
// every negative value but -0. The length, or 0 where the value is left to Qt (not finite, or
// too large for the exact rounding below).
int FixedDigits(double value, int decimals, char (&buffer)[64])
{
    if (decimals < 0 || decimals > 9)
        return 0;
    const double magnitude = std::fabs(value);
    const double scale = PowersOfTen[decimals];
    const double scaled = magnitude * scale;
    if (!(scaled < 0x1p50))
        return 0;
    // magnitude * scale is exactly scaled + error, the error at most 2^-4 below 2^50. Only
    // where the fraction of scaled is that near a half does the error decide the rounding;
    // there the fraction's distance from the half is exact, and so is the sign of the sum.
    const quint64 whole = quint64(scaled);
    const double beyondHalf = scaled - double(whole) - 0.5;
    const bool up = std::fabs(beyondHalf) > 0x1p-4
                        ? beyondHalf > 0
                        : beyondHalf + std::fma(magnitude, scale, -scaled) >= 0;
    quint64 units = whole + (up ? 1 : 0);
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + units % 10);
        units /= 10;
    } while (units != 0 || count <= decimals);
    int length = 0;
    if (value < 0)
        buffer[length++] = '-';
    for (int i = count - 1; i >= 0; --i) {
        buffer[length++] = digits[i];
        if (i == decimals && decimals > 0)
            buffer[length++] = '.';
    }
    return length;
}

}  // namespace

QString FormatFixed(double value, int decimals, const QLocale &locale)
{
    return FormatFixedWithSeparator(value, decimals,
                                    ChosenFor<QString, DecimalSeparatorOf>(locale));
}

QString FormatFixedWithSeparator(double value, int decimals, const QString &separator)
{
    QString text;
    AppendFixed(text, value, decimals, separator);
    return text;
}

void AppendFixed(QString &text, double value, int decimals, const QString &separator)
{
    // The C locale's text has the digits and the sign wanted everywhere; only its point changes.
    // Where the fast text does not reach, Qt's own, which is Latin-1 ("-12.5", "inf", "nan").
    char buffer[64];
    const int length = FixedDigits(value, decimals, buffer);
    const QByteArray slow =
        length == 0 ? QString::number(value, 'f', decimals).toLatin1() : QByteArray();
    const QLatin1String number = length == 0 ? QLatin1String(slow) : QLatin1String(buffer, length);
    const qsizetype point = length == 0    ? number.indexOf(QLatin1Char('.'))
                            : decimals > 0 ? length - decimals - 1
                                           : -1;
    if (point < 0 || separator == QLatin1Char('.')) {
        text += number;
        return;
    }
    text += number.first(point);
    text += separator;
    text += number.sliced(point + 1);
}
