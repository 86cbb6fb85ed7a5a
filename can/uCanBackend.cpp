#include "can/uCanBackend.h"

#include "can/uSimulatedUnit.h"

#include <QCanBus>
#include <QCanBusDevice>

bool TCanBackend::Parse(const QString &text, TCanBackend &backend)
{
    if (text == QLatin1String("sim")) {
        backend = TCanBackend{{}, {}, true};
        return true;
    }
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0 || colon == text.size() - 1)
        return false;
    backend = TCanBackend{text.left(colon), text.mid(colon + 1), false};
    return true;
}

TCanDeviceFactory TCanBackend::Factory() const
{
    if (Simulated)
        return [](QString *) -> std::unique_ptr<QCanBusDevice> {
            return std::make_unique<TSimulatedUnit>();
        };
    return [plugin = Plugin, interface = Interface](QString *errorText) {
        return std::unique_ptr<QCanBusDevice>(
            QCanBus::instance()->createDevice(plugin, interface, errorText));
    };
}
