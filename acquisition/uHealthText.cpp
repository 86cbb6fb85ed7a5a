#include "acquisition/uHealthText.h"

#include "adapter/uBusSpeeds.h"

#include <QStringList>

namespace {

const QString Separator = QStringLiteral(" · ");

// The units the settings give: unit 1, and units 2 and 3 of the test protocol.
QList<int> ConfiguredUnits(const TAcquisitionState &state)
{
    QList<int> units{1};
    if (state.ProtocolEnv == TProtocolEnv::peTest) {
        if (!state.CanId2.isEmpty())
            units << 2;
        if (!state.CanId3.isEmpty())
            units << 3;
    }
    return units;
}

QString Counted(qint64 count, const char *what)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(what));
}

QString BusText(const TBusHealth &bus)
{
    QStringList parts;
    if (!bus.State().isEmpty())
        parts << bus.State();
    parts << Counted(bus.Errors(), bus.Errors() == 1 ? "error" : "errors");
    if (bus.ErrorFrames() > 0)
        parts << Counted(bus.ErrorFrames(),
                         bus.ErrorFrames() == 1 ? "error frame" : "error frames");
    return QStringLiteral("bus: ") + parts.join(QStringLiteral(", "));
}

bool BusInTrouble(const TBusHealth &bus)
{
    return bus.State() == QLatin1String("passive") || bus.State() == QLatin1String("bus off");
}

QString IdentifierRates(const TSupervision &supervision)
{
    QStringList lines;
    for (const TIdentifierRate &rate : supervision.Identifiers())
        lines << QStringLiteral("%1: %2 frames/s")
                     .arg(QString::number(rate.Id, 16)
                              .toUpper()
                              .rightJustified(rate.Extended ? 8 : 3, QLatin1Char('0')))
                     .arg(rate.FramesPerSecond, 0, 'f', 1);
    if (supervision.OtherFramesPerSecond() > 0)
        lines << QStringLiteral("other: %1 frames/s")
                     .arg(supervision.OtherFramesPerSecond(), 0, 'f', 1);
    return lines.join(QLatin1Char('\n'));
}

// "unit 1: 100.0 samples/s, 0 lost" and what else there is to tell of the unit.
QString UnitHealthText(int unit, const TUnitHealth &health)
{
    QString text =
        QStringLiteral("unit %1: %2 samples/s").arg(unit).arg(health.SamplesPerSecond, 0, 'f', 1);
    // Losses are judged once the period is known; while it is learned none is claimed, and
    // where it cannot be known the line says so rather than look complete.
    if (health.PeriodKnown)
        text += QStringLiteral(", ") + Counted(health.Lost, "lost");
    else if (health.Untimed)
        text += QStringLiteral(", losses not judged");
    if (health.Late > 0)
        text += QStringLiteral(", ") + Counted(health.Late, "late");
    if (health.Incomplete > 0)
        text += QStringLiteral(", ") + Counted(health.Incomplete, "incomplete");
    return text;
}

QString IdentifierOf(const TAcquisitionState &state, int unit)
{
    return unit == 1 ? state.CanId1 : unit == 2 ? state.CanId2 : state.CanId3;
}

// A wrong bus, bus speed or identifier looks exactly like a unit that is silent.
QString NotHeardText(const TAcquisition &acquisition, int unit)
{
    return QStringLiteral("unit %1: not heard: check the bus speed (%2 kbit/s), the wiring and "
                          "the identifier %3")
        .arg(unit)
        .arg(BusSpeeds::BitRateOfCode(acquisition.Baudrate()) / 1000.0)
        .arg(IdentifierOf(acquisition.State, unit));
}

}  // namespace

THealthText HealthText(const TAcquisition &acquisition)
{
    THealthText text;
    const TAdapterLink &link = acquisition.Link();
    switch (link.Phase()) {
    case TAdapterLink::TPhase::Closed:
        if (!link.Problem().isEmpty()) {
            text.Line = QStringLiteral("the adapter could not be opened: ") + link.Problem();
            text.Alarm = true;
        } else {
            text.Line = QStringLiteral("not connected");
        }
        return text;
    case TAdapterLink::TPhase::Connecting:
        text.Line = QStringLiteral("connecting to the adapter");
        return text;
    case TAdapterLink::TPhase::Lost:
        text.Line = QStringLiteral("adapter lost: %1; trying again").arg(link.Problem());
        text.Alarm = true;
        return text;
    case TAdapterLink::TPhase::Open:
        break;
    }

    const TSupervision &supervision = acquisition.Supervision;
    QStringList parts;
    for (int unit : ConfiguredUnits(acquisition.State)) {
        const TUnitHealth health = supervision.Unit(unit);
        const bool silent = !health.Seen && acquisition.ConnectedForMs() >= NotHeardMs;
        parts << (silent ? NotHeardText(acquisition, unit) : UnitHealthText(unit, health));
        text.Alarm = text.Alarm || silent || health.LostLastMinute;
    }
    parts << BusText(acquisition.Bus());
    text.Alarm = text.Alarm || BusInTrouble(acquisition.Bus());
    text.Line = parts.join(Separator);
    text.Identifiers = IdentifierRates(supervision);
    return text;
}

QString SupervisionSummary(const TAcquisition &acquisition)
{
    QStringList parts;
    for (int unit : ConfiguredUnits(acquisition.State)) {
        const TUnitHealth health = acquisition.Supervision.Unit(unit);
        const QString losses =
            health.PeriodKnown
                ? QStringLiteral("%1 lost, %2 late").arg(health.Lost).arg(health.Late)
            : health.Untimed
                ? QStringLiteral("losses not judged (no time stamps, or over 1000 samples/s)")
                : QStringLiteral("losses not judged (no period known)");
        parts << QStringLiteral("unit %1: %2 samples, %3, %4 incomplete")
                     .arg(unit)
                     .arg(health.Samples)
                     .arg(losses)
                     .arg(health.Incomplete);
    }
    parts << BusText(acquisition.Bus());
    return parts.join(Separator);
}
