// The NMEA handler given an arbitrary sentence body, as the splitter may hand it on.

#include "fuzz/uFuzzRequire.h"
#include "speed/uGpsSpeed.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale locales[] = {QLocale(QLocale::Polish, QLocale::Poland), QLocale::c()};
    const QByteArray body =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QLocale &locale : locales) {
        const TGpsSentenceEffect effect = ReadGpsSentence(body, locale);
        Require(effect.GpsLines.size() <= 1);
        if (body.size() <= 5)
            Require(effect.GpsLines.isEmpty() && !effect.SourceSpeed && !effect.Position);
        if (effect.SourceSpeed)
            Require(std::isfinite(*effect.SourceSpeed) && effect.GpsLines.size() == 1);
    }
    return 0;
}
