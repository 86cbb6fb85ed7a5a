// The VBOX handler given an arbitrary payload, of any length.

#include "fuzz/uFuzzRequire.h"
#include "speed/uVboxSpeed.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale comma(QLocale::Polish, QLocale::Poland);
    const QByteArray payload =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // The first byte, when there is one, also picks the chassis identifier and the simulation
    // state, so every relay decision is reached.
    static const QString identifiers[] = {QStringLiteral("18FECF10"), QString(),
                                          QStringLiteral("18FECF1G")};
    const std::uint8_t pick = size > 0 ? data[0] : 0;
    const TVboxPayloadEffect effect =
        ReadVboxPayload(payload, identifiers[pick % 3], pick & 0x80, comma);
    Require(effect.GpsLines.size() == 1);
    Require(effect.Speed.has_value() == (payload.size() >= 23));
    if (effect.Speed) {
        Require(effect.Speed->SourceSpeed >= 0 && effect.Speed->SourceSpeed <= 65535 * 1.852 / 100);
        Require(!effect.Speed->RelaySpeed || (pick % 3 == 0 && !(pick & 0x80)));
    }
    return 0;
}
