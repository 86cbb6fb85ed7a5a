#include "sim/uSimulatedDrops.h"

#include <limits>

namespace {

// A whole number of samples, 1 or more.
bool ReadCount(const QString &text, qint64 *count)
{
    bool number = false;
    *count = text.toLongLong(&number);
    return number && *count >= 1;
}

}  // namespace

bool TSimulatedDrops::Drops(qint64 sample) const
{
    return (Every > 0 && sample % Every == 0)
           || (BurstCount > 0 && sample >= BurstAt && sample - BurstAt < BurstCount);
}

namespace SimulatedDrops {

bool IsOption(const QString &name)
{
    return name == Every || name == Burst;
}

bool ReadOption(const QString &name, const QString &value, TSimulatedDrops &drops, QString *error)
{
    if (name == Every) {
        qint64 every = 0;
        if (!ReadCount(value, &every) || every > std::numeric_limits<int>::max()) {
            *error =
                QStringLiteral("--%1=%2: a whole number of samples, 1 or more").arg(name, value);
            return false;
        }
        drops.Every = int(every);
        return true;
    }
    const QStringList parts = value.split(QLatin1Char(':'));
    if (parts.size() != 2 || !ReadCount(parts[0], &drops.BurstAt)
        || !ReadCount(parts[1], &drops.BurstCount)) {
        drops.BurstAt = drops.BurstCount = 0;
        *error = QStringLiteral("--%1=%2: AT:COUNT, the first sample dropped (counting from 1) "
                                "and how many in a row")
                     .arg(name, value);
        return false;
    }
    return true;
}

QList<QCommandLineOption> Options()
{
    return {
        {Every, QStringLiteral("With --can=sim: the simulated unit leaves out every Nth sample."),
         QStringLiteral("N")},
        {Burst,
         QStringLiteral("With --can=sim: the simulated unit leaves out COUNT samples in a row "
                        "from sample AT on (samples count from 1)."),
         QStringLiteral("AT:COUNT")},
    };
}

bool ReadOptions(const QCommandLineParser &parser, TSimulatedDrops &drops, QString *error)
{
    for (const QString &name : {Every, Burst})
        if (parser.isSet(name) && !ReadOption(name, parser.value(name), drops, error))
            return false;
    return true;
}

bool FitBackend(const TSimulatedDrops &drops, bool simulated, QString *error)
{
    if (!drops.Any() || simulated)
        return true;
    *error = QStringLiteral("--%1 and --%2 need --can=sim").arg(Every, Burst);
    return false;
}

}  // namespace SimulatedDrops
