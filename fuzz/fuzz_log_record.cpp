// A record line of the measurement log for arbitrary values (NaN, infinities, huge, tiny,
// negative zero) in locales with other digits and separators: the line keeps its field
// count, stays one line and can be written in the log's code page.
// Input, missing bytes read as 0: flags (bit 0 unit 2, bit 1 unit 3, bits 2-4 the locale),
// record number (int32 LE), time of day (uint32 LE, ms), 17 doubles (speed, angular
// velocity, then TiltX, TiltY, AccX, AccY, LTR of units 1 to 3), the three status bytes.

#include "fuzz/uFuzzRequire.h"
#include "log/uLogFormat.h"

#include <QStringEncoder>
#include <QTime>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t DoubleCount = 17;
constexpr std::size_t InputBytes = 1 + 4 + 4 + DoubleCount * 8 + 3;

const QLocale &LocaleAt(int index)
{
    static const std::array<QLocale, 8> locales{
        QLocale::c(),
        QLocale(QLocale::Polish, QLocale::Poland),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
        QLocale(QLocale::Bangla, QLocale::Bangladesh),
        QLocale(QLocale::Marathi, QLocale::India),
    };
    return locales[size_t(index) % locales.size()];
}

class TReader
{
public:
    explicit TReader(const std::uint8_t *bytes) : m_bytes(bytes) {}
    template <typename T>
    T Next()
    {
        T value;
        std::memcpy(&value, m_bytes + m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }

private:
    const std::uint8_t *m_bytes;
    std::size_t m_at = 0;
};

QString StatusText(quint8 status)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    const char digits[] = {Hex[status >> 4], Hex[status & 0xF]};
    return QString::fromLatin1(digits, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::array<std::uint8_t, InputBytes> bytes{};
    std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
    TReader input(bytes.data());

    const auto flags = input.Next<std::uint8_t>();
    const TLogUnits units{bool(flags & 1), bool(flags & 2)};
    const QLocale &locale = LocaleAt(flags >> 2);
    const auto recordNo = input.Next<qint32>();
    const QTime time =
        QTime::fromMSecsSinceStartOfDay(int(input.Next<quint32>() % (24 * 3600 * 1000)));

    TAcquisitionState state;
    state.Chassis.VehicleSpeed = input.Next<double>();
    state.Sensors[1].AngularVelocity = input.Next<double>();
    for (size_t n = 1; n <= 3; ++n) {
        TSensorSample &unit = state.Sensors[n];
        for (double *value : {&unit.TiltX, &unit.TiltY, &unit.AccX, &unit.AccY, &unit.LTR})
            *value = input.Next<double>();
    }
    for (size_t n = 1; n <= 3; ++n)
        state.Sensors[n].Status = input.Next<quint8>();

    const QString timeText = LogTime(time, locale);
    const QString line = LogRecordLine(recordNo, timeText, state, units, locale);

    const QStringList fields = line.split(QLatin1Char(';'));
    const int blocks = 1 + int(units.Unit2) + int(units.Unit3);
    Require(fields.size() == 4 + 6 * blocks);
    Require(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    Require(fields[0] == QString::number(recordNo) && fields[1] == timeText);
    const size_t shown[] = {1, units.Unit2 ? 2u : 3u, 3};
    for (int block = 0; block < blocks; ++block)
        Require(fields[8 + 6 * block] == StatusText(state.Sensors[shown[block]].Status));

    QStringEncoder windows1250("windows-1250");
    const QByteArray encoded = windows1250(line);
    Require(windows1250.isValid() && !windows1250.hasError() && encoded.size() == line.size());
    return 0;
}
