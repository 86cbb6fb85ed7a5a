#include "adapter/uBusSpeeds.h"

#include <array>

namespace BusSpeeds {
namespace {

struct TBusSpeed {
    const char *caption;
    TPCANBaudrate code;
    int bitRate;
    int peakcanBitRate;  // the entry of the peakcan plugin's table for this code
};

constexpr std::array<TBusSpeed, 14> Table{{
    {"1 MBit/sec", 0x0014, 1000000, 1000000},
    {"800 kBit/sec", 0x0016, 800000, 800000},
    {"500 kBit/sec", 0x001C, 500000, 500000},
    {"250 kBit/sec", 0x011C, 250000, 250000},
    {"125 kBit/sec", 0x031C, 125000, 125000},
    {"100 kBit/sec", 0x432F, 100000, 100000},
    {"95,238 kBit/s", 0xC34E, 95238, 95000},
    {"83,333 kBit/sec", 0x852B, 83333, 83000},
    {"50 kBit/sec", 0x472F, 50000, 50000},
    {"47,619 kBit/se", 0x1414, 47619, 47000},
    {"33,333 kBit/se", 0x8B2F, 33333, 33000},
    {"20 kBit/sec", 0x532F, 20000, 20000},
    {"10 kBit/sec", 0x672F, 10000, 10000},
    {"5 kBit/sec", 0x7F7F, 5000, 5000},
}};

// The plugins that accept only the nominal rates of their own table; the rest hand the
// number to the driver (socketcan, vectorcan, passthrucan) or ignore it (virtualcan).
bool KnowsOnlyCommonRates(const QString &plugin)
{
    return plugin == QLatin1String("tinycan") || plugin == QLatin1String("systeccan");
}

bool IsCommonRate(int bitRate)
{
    for (int common : {10000, 20000, 50000, 100000, 125000, 250000, 500000, 800000, 1000000})
        if (bitRate == common)
            return true;
    return false;
}

const TBusSpeed *SpeedOfCode(TPCANBaudrate code)
{
    for (const auto &speed : Table)
        if (speed.code == code)
            return &speed;
    return nullptr;
}

}  // namespace

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
    const TBusSpeed *speed = SpeedOfCode(code);
    return speed ? speed->bitRate : 0;
}

int PluginBitRate(const QString &plugin, TPCANBaudrate code)
{
    const TBusSpeed *speed = SpeedOfCode(code);
    if (!speed)
        return 0;
    if (plugin == QLatin1String("peakcan"))
        return speed->peakcanBitRate;
    if (KnowsOnlyCommonRates(plugin))
        return IsCommonRate(speed->bitRate) ? speed->bitRate : 0;
    return speed->bitRate;
}

}  // namespace BusSpeeds
