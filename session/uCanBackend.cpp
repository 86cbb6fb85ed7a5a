#include "session/uCanBackend.h"

#include "adapter/uCanLink.h"
#include "sim/uSimulatedUnit.h"

#include <QCanBus>
#include <QCanBusDevice>

bool TCanBackend::Parse(const QString &text, TCanBackend &backend)
{
    if (text == QLatin1String("sim")) {
        backend = TCanBackend{};
        backend.Simulated = true;
        return true;
    }
    static const QLatin1String Replay("replay:");
    if (text.startsWith(Replay) && text.size() > Replay.size()) {
        backend = TCanBackend{};
        backend.TraceFile = text.mid(Replay.size());
        return true;
    }
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0 || colon == text.size() - 1)
        return false;
    backend = TCanBackend{};
    backend.Plugin = text.left(colon);
    backend.Interface = text.mid(colon + 1);
    return true;
}

QString TCanBackend::Text() const
{
    if (Simulated)
        return QStringLiteral("sim");
    if (!TraceFile.isEmpty())
        return QStringLiteral("replay:") + TraceFile;
    return Plugin.isEmpty() ? QString() : Plugin + QLatin1Char(':') + Interface;
}

void TCanBackend::Use() const
{
    TPCANBasic::SetDeviceFactory(Factory(), Plugin, OpenCheck());
}

TCanDeviceFactory TCanBackend::Factory() const
{
    if (Simulated)
        return [drops = Drops](QString *) -> std::unique_ptr<QCanBusDevice> {
            return std::make_unique<TSimulatedUnit>(drops);
        };
    return [plugin = Plugin, interface = Interface](QString *errorText) {
        return std::unique_ptr<QCanBusDevice>(
            QCanBus::instance()->createDevice(plugin, interface, errorText));
    };
}

TCanOpenCheck TCanBackend::OpenCheck() const
{
    if (Plugin != QLatin1String("socketcan"))
        return {};
    return [interface = Interface](int bitRate, QString *problem) {
        return PrepareSocketCan(SystemCanLinkAccess(), interface, quint32(bitRate), problem);
    };
}
