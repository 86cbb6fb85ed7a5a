#include "app/uUnitOptions.h"

#include "protocol/uIdentifiers.h"

namespace {

const QString Protocol = QStringLiteral("protocol");
const QString Id1 = QStringLiteral("id1");
const QString Id2 = QStringLiteral("id2");
const QString Id3 = QStringLiteral("id3");
const QString Chassis = QStringLiteral("chassis");
const QString Every = QStringLiteral("every");

// What the settings dialog writes into the first identifier field when the test protocol is
// chosen.
const QString TestUnitId = QStringLiteral("18FEDC10");

// The value of an identifier option, when given; false with the message when it is none.
bool ReadIdentifier(const QCommandLineParser &parser, const QString &name, QString *value,
                    QString *error)
{
    if (!parser.isSet(name))
        return true;
    const QString text = parser.value(name);
    if (!IsValidIdentifier(text)) {
        *error = QStringLiteral("--%1=%2 is no CAN identifier: hexadecimal digits without "
                                "prefix, at most FFFFFFFF")
                     .arg(name, text);
        return false;
    }
    *value = text;
    return true;
}

}  // namespace

void TUnitOptions::ApplyTo(TAcquisitionState &state, TLogSession &log) const
{
    state.ProtocolEnv = ProtocolEnv;
    state.CanId1 = CanId1;
    state.CanId2 = CanId2;
    state.CanId3 = CanId3;
    state.ChassisCanId = ChassisCanId;
    log.FollowTicks({!CanId2.isEmpty(), !CanId3.isEmpty(), EveryThirtySecond});
}

void AddUnitOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {Protocol,
         QStringLiteral("Frame protocol of the units: production (one unit and the chassis "
                        "frame; the default) or test (up to three units)."),
         QStringLiteral("production|test")},
        {Id1,
         QStringLiteral("CAN identifier of unit 1 in hex (18FECE47; in the test protocol "
                        "18FEDC10)."),
         QStringLiteral("HEX")},
        {Id2,
         QStringLiteral("CAN identifier of unit 2 in hex, test protocol only; its columns "
                        "join the log."),
         QStringLiteral("HEX")},
        {Id3,
         QStringLiteral("CAN identifier of unit 3 in hex, test protocol only; its columns "
                        "join the log."),
         QStringLiteral("HEX")},
        {Chassis,
         QStringLiteral("CAN identifier of the chassis speed frame in hex, production only "
                        "(18FECF10)."),
         QStringLiteral("HEX")},
        {Every, QStringLiteral("Log every sample (1; the default) or every 32nd sample (32)."),
         QStringLiteral("1|32")},
    });
}

bool ReadUnitOptions(const QCommandLineParser &parser, TUnitOptions *options, QString *error)
{
    TUnitOptions read;
    const QString protocol = parser.value(Protocol);
    if (protocol == QLatin1String("test")) {
        read.ProtocolEnv = TProtocolEnv::peTest;
        read.CanId1 = TestUnitId;
        read.ChassisCanId.clear();
    } else if (parser.isSet(Protocol) && protocol != QLatin1String("production")) {
        *error = QStringLiteral("--protocol=%1: production or test").arg(protocol);
        return false;
    }
    const bool production = read.ProtocolEnv == TProtocolEnv::peProduction;
    if (production && (parser.isSet(Id2) || parser.isSet(Id3))) {
        *error = QStringLiteral("--id2 and --id3 need --protocol=test: production has one unit");
        return false;
    }
    if (!production && parser.isSet(Chassis)) {
        *error = QStringLiteral("--chassis needs --protocol=production: the test protocol has "
                                "no chassis frame");
        return false;
    }
    if (!ReadIdentifier(parser, Id1, &read.CanId1, error)
        || !ReadIdentifier(parser, Id2, &read.CanId2, error)
        || !ReadIdentifier(parser, Id3, &read.CanId3, error)
        || !ReadIdentifier(parser, Chassis, &read.ChassisCanId, error))
        return false;
    // The same rule as the settings dialog's OK.
    if (!IdentifiersAcceptable({read.CanId1, read.CanId2, read.CanId3, read.ChassisCanId,
                                !read.CanId2.isEmpty(), !read.CanId3.isEmpty(), production})) {
        *error = QStringLiteral("The CAN identifiers must differ from each other");
        return false;
    }
    const QString every = parser.value(Every);
    if (parser.isSet(Every) && every != QLatin1String("1") && every != QLatin1String("32")) {
        *error = QStringLiteral("--every=%1: 1 or 32").arg(every);
        return false;
    }
    read.EveryThirtySecond = every == QLatin1String("32");
    *options = read;
    return true;
}
