#include "app/uRecordOptions.h"

#include "adapter/uBusSpeeds.h"
#include "session/uCanBackend.h"

#include <QStringList>

#include <cmath>

namespace {

const QString Can = QStringLiteral("can");
const QString Output = QStringLiteral("o");
const QString BitRate = QStringLiteral("bitrate");
const QString Seconds = QStringLiteral("seconds");

// Above this a number is taken as bit/s: no bus runs at a thousand bit/s, nor above 1 Mbit/s.
constexpr double HighestKbitPerSecond = 1000;

int SpeedCount()
{
    return int(BusSpeeds::Captions().size());
}

QString KnownSpeeds()
{
    QStringList speeds;
    for (int index = 0; index < SpeedCount(); ++index)
        speeds << QString::number(BusSpeeds::BitRateOfCode(BusSpeeds::CodeOfIndex(index)) / 1000.0,
                                  'g', 6);
    return speeds.join(QStringLiteral(", "));
}

}  // namespace

void AddRecordOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {Can,
         QStringLiteral("What stands behind the CAN channel, as for the window: "
                        "PLUGIN:INTERFACE of a QtSerialBus plugin (peakcan:usb0, "
                        "socketcan:can0, virtualcan:can0) or sim; a trace is turned into a "
                        "log by convert. Required."),
         QStringLiteral("BACKEND")},
        {{Output, QStringLiteral("output")},
         QStringLiteral("Base name of the log, folder allowed and made when missing "
                        "(log.csv): the log is BASE_001_DATE_TIME.csv, its raw trace beside it "
                        "with .log."),
         QStringLiteral("BASE")},
        {BitRate,
         QStringLiteral("Bus speed in kbit/s or bit/s, one the settings offer: %1 kbit/s "
                        "(250).")
             .arg(KnownSpeeds()),
         QStringLiteral("RATE")},
        {Seconds, QStringLiteral("Stop after N seconds; without it, on SIGINT or SIGTERM."),
         QStringLiteral("N")},
    });
    AddUnitOptions(parser);
    parser.addOptions(SimulatedDrops::Options());
}

bool ReadRecordOptions(const QCommandLineParser &parser, TRecordOptions *options, QString *error)
{
    TRecordOptions read;
    read.Backend = parser.value(Can);
    TCanBackend backend;
    if (!parser.positionalArguments().isEmpty()) {
        *error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        return false;
    }
    if (!parser.isSet(Can)) {
        *error = QStringLiteral("--can=BACKEND is required");
        return false;
    }
    if (!TCanBackend::Parse(read.Backend, backend)) {
        *error = QStringLiteral("--can=%1: PLUGIN:INTERFACE or sim").arg(read.Backend);
        return false;
    }
    // A replay runs on its trace's clock, driven by the window's replay bar; convert writes
    // the log a trace makes without either.
    if (!backend.TraceFile.isEmpty()) {
        *error = QStringLiteral("--can=%1: record takes a live adapter or sim; to turn a trace "
                                "into a log use telqar-logger convert")
                     .arg(read.Backend);
        return false;
    }
    if (parser.isSet(Output)) {
        read.Base = parser.value(Output);
        if (read.Base.isEmpty()) {
            *error = QStringLiteral("-o needs a base name");
            return false;
        }
    }
    read.Baudrate = parser.isSet(BitRate) ? BaudrateOfText(parser.value(BitRate))
                                          : BusSpeeds::CodeOfIndex(BusSpeeds::DefaultIndex);
    if (read.Baudrate == 0) {
        *error = QStringLiteral("--bitrate=%1: one of %2 kbit/s, or the same in bit/s")
                     .arg(parser.value(BitRate), KnownSpeeds());
        return false;
    }
    if (parser.isSet(Seconds)) {
        bool number = false;
        const int seconds = parser.value(Seconds).toInt(&number);
        if (!number || seconds < 1) {
            *error = QStringLiteral("--seconds=%1: a whole number of seconds, 1 or more")
                         .arg(parser.value(Seconds));
            return false;
        }
        read.Seconds = seconds;
    }
    if (!ReadUnitOptions(parser, &read.Units, error)
        || !SimulatedDrops::ReadOptions(parser, read.Drops, error)
        || !SimulatedDrops::FitBackend(read.Drops, backend.Simulated, error))
        return false;
    *options = read;
    return true;
}

TPCANBaudrate BaudrateOfText(const QString &text)
{
    bool number = false;
    QString decimal = text.trimmed();
    const double value = decimal.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&number);
    if (!number || value <= 0)
        return 0;
    const double bitRate = value <= HighestKbitPerSecond ? value * 1000 : value;
    // Whole bit/s only; the tolerance absorbs the decimal fraction's binary rounding.
    if (std::abs(bitRate - std::round(bitRate)) > 1e-6)
        return 0;
    for (int index = 0; index < SpeedCount(); ++index) {
        const TPCANBaudrate code = BusSpeeds::CodeOfIndex(index);
        if (BusSpeeds::BitRateOfCode(code) == qRound(bitRate))
            return code;
    }
    return 0;
}
