#include "speed/uGpsSpeed.h"

#include "base/uNumberFormat.h"
#include "speed/uCommaText.h"
#include "speed/uDecimalText.h"
#include "speed/uKnots.h"

#include <cmath>

namespace {

constexpr qsizetype SpeedField = 7;
constexpr qsizetype LatitudeField = 2;
constexpr qsizetype LongitudeField = 4;

std::optional<double> SpeedOf(const QStringList &fields, const QLocale &locale)
{
    if (fields.size() <= SpeedField)
        return std::nullopt;
    return ReadDecimal(fields[SpeedField], locale);
}

}  // namespace

TGpsSentenceEffect ReadGpsSentence(const QByteArray &body, const QLocale &locale)
{
    TGpsSentenceEffect effect;
    if (body.size() <= 5)
        return effect;
    // NMEA is ASCII; any other byte reads as one Latin-1 character, so lengths stay in bytes.
    const QStringList fields = SplitCommaText(QString::fromLatin1(body));
    const QString type = fields.value(0);
    if (type == QLatin1String("VTG")) {
        if (const auto kmh = SpeedOf(fields, locale)) {
            effect.SourceSpeed = *kmh;
            effect.GpsLines << QStringLiteral("speed vtg:") + FormatFixed(*kmh, 2, locale);
        }
    } else if (type == QLatin1String("GGA")) {
        if (fields.size() > LongitudeField) {
            TGpsPosition position{FixDecimalSeparator(fields[LatitudeField], locale),
                                  FixDecimalSeparator(fields[LongitudeField], locale)};
            effect.GpsLines << position.Latitude + QStringLiteral("   ") + position.Longitude;
            effect.Position = std::move(position);
        }
    } else if (type == QLatin1String("RMC")) {
        const auto knots = SpeedOf(fields, locale);
        // Knots near the largest double would overflow to infinity as km/h.
        if (knots && std::isfinite(*knots * KmhPerKnot)) {
            const double kmh = *knots * KmhPerKnot;
            effect.SourceSpeed = kmh;
            effect.GpsLines << QStringLiteral("speed rmc:") + FormatFixed(kmh, 2, locale);
        }
    }
    return effect;
}
