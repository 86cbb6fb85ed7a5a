#include "can/uBusSpeeds.h"

#include <array>

namespace BusSpeeds {
namespace {

struct TBusSpeed {
    const char *caption;
    TPCANBaudrate code;
    int bitRate;
};

constexpr std::array<TBusSpeed, 14> Table{{
    {"1 MBit/sec", 0x0014, 1000000},
    {"800 kBit/sec", 0x0016, 800000},
    {"500 kBit/sec", 0x001C, 500000},
    {"250 kBit/sec", 0x011C, 250000},
    {"125 kBit/sec", 0x031C, 125000},
    {"100 kBit/sec", 0x432F, 100000},
    {"95,238 kBit/s", 0xC34E, 95238},
    {"83,333 kBit/sec", 0x852B, 83333},
    {"50 kBit/sec", 0x472F, 50000},
    {"47,619 kBit/se", 0x1414, 47619},
    {"33,333 kBit/se", 0x8B2F, 33333},
    {"20 kBit/sec", 0x532F, 20000},
    {"10 kBit/sec", 0x672F, 10000},
    {"5 kBit/sec", 0x7F7F, 5000},
}};

} // namespace

QStringList Captions()
{
    QStringList captions;
    for (const auto &speed : Table)
        captions << QString::fromUtf8(speed.caption);
    return captions;
}

TPCANBaudrate CodeOfIndex(int index)
{
    if (index < 0 || index >= int(Table.size()))
        return 0;
    return Table[size_t(index)].code;
}

int BitRateOfCode(TPCANBaudrate code)
{
    for (const auto &speed : Table)
        if (speed.code == code)
            return speed.bitRate;
    return 0;
}

} // namespace BusSpeeds
