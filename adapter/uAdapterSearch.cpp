#include "adapter/uAdapterSearch.h"

#include "adapter/uCanLink.h"

#include <QCanBus>
#include <QCanBusDeviceInfo>
#include <QLoggingCategory>

#include <algorithm>
#include <memory>

namespace {

// Asking every plugin makes those without their vendor's library say so on standard error at
// each search: no news while nothing is being opened. Opening one still says why it failed.
class TQuietPlugins
{
public:
    TQuietPlugins() { s_previous = QLoggingCategory::installFilter(&Filter); }
    ~TQuietPlugins() { QLoggingCategory::installFilter(s_previous); }
    TQuietPlugins(const TQuietPlugins &) = delete;
    TQuietPlugins &operator=(const TQuietPlugins &) = delete;

private:
    static void Filter(QLoggingCategory *category)
    {
        if (s_previous)
            s_previous(category);
        if (qstrncmp(category->categoryName(), "qt.canbus.plugins.", 18) == 0) {
            category->setEnabled(QtWarningMsg, false);
            category->setEnabled(QtCriticalMsg, false);
        }
    }
    static inline QLoggingCategory::CategoryFilter s_previous = nullptr;
};

const QLatin1String Peak("peakcan");
const QLatin1String SocketCan("socketcan");

int PluginRank(const QString &plugin)
{
    if (plugin == Peak)
        return 0;
    return plugin == SocketCan ? 1 : 2;
}

}  // namespace

QList<TFoundAdapter> FindAdapters(const TAdapterSearch &search)
{
    QStringList plugins = search.Plugins();
    std::stable_sort(plugins.begin(), plugins.end(), [](const QString &a, const QString &b) {
        return PluginRank(a) < PluginRank(b);
    });
    QList<TFoundAdapter> found;
    for (const QString &plugin : plugins) {
        for (const TAdapterSearch::TDevice &device : search.Devices(plugin)) {
            TFoundAdapter adapter{plugin, device.Name, device.Description};
            if (plugin == SocketCan) {
                const std::optional<TCanLinkState> state = search.SocketCanState(device.Name);
                adapter.Up = state && state->Up;
                adapter.BitRate = state ? state->BitRate : 0;
            }
            found << adapter;
        }
    }
    return found;
}

QString FirstAdapterFound(const QList<TFoundAdapter> &found)
{
    for (const TFoundAdapter &adapter : found)
        if (adapter.Plugin == Peak)
            return adapter.Backend();
    for (const TFoundAdapter &adapter : found)
        if (adapter.Plugin == SocketCan && adapter.Up)
            return adapter.Backend();
    return {};
}

TAdapterSearch SystemAdapterSearch()
{
    TAdapterSearch search;
    search.Plugins = [] { return QCanBus::instance()->plugins(); };
    search.Devices = [](const QString &plugin) {
        QList<TAdapterSearch::TDevice> devices;
        const TQuietPlugins quiet;
        const QList<QCanBusDeviceInfo> infos = QCanBus::instance()->availableDevices(plugin);
        // Some plugins name devices even where their vendor's library is missing; such a device
        // cannot even be made, let alone opened. Making one opens nothing.
        if (infos.isEmpty()
            || !std::unique_ptr<QCanBusDevice>(
                QCanBus::instance()->createDevice(plugin, infos.first().name())))
            return devices;
        for (const QCanBusDeviceInfo &info : infos)
            devices.push_back({info.name(), info.description()});
        return devices;
    };
    search.SocketCanState = [](const QString &interface) {
        QString unread;  // an interface the kernel will not tell about counts as down
        return SystemCanLinkAccess().Query(interface, &unread);
    };
    return search;
}
