#include "base/uNumberFormat.h"

#include "base/uLocaleCache.h"

#include <charconv>
#include <cmath>

namespace {

QString DecimalSeparatorOf(const QLocale &locale)
{
    return locale.decimalPoint();
}

constexpr double PowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// value with decimals (0..9) into buffer as QString::number(value, 'f', decimals) writes it,
// without its allocations: correctly rounded, an exact half away from zero, no sign on a
// negative zero. The length, or 0 where the value is left to Qt (not finite, or too large for
// the exactness check below).
int FixedDigits(double value, int decimals, char (&buffer)[64])
{
    if (decimals < 0 || decimals > 9 || !(std::fabs(value) * PowersOfTen[decimals] < 0x1p50))
        return 0;
    if (value == 0)
        value = 0;  // Qt writes -0.0 as 0.00
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (written.ec != std::errc())
        return 0;
    // to_chars takes an exact half to the even digit. The product below is exact exactly when
    // value has no digits past one more decimal, and then an odd product is a half.
    const double scale = 2 * PowersOfTen[decimals];
    const double twice = std::nearbyint(value * scale);
    if (std::fma(value, scale, -twice) != 0 || std::fmod(twice, 2) == 0)
        return int(written.ptr - buffer);
    quint64 away = (quint64(std::fabs(twice)) + 1) / 2;  // in units of the last decimal
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + away % 10);
        away /= 10;
    } while (away != 0 || count <= decimals);
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
