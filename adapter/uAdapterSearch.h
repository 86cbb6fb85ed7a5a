#pragma once
// The CAN adapters this computer offers now: each installed QtSerialBus plugin's devices (PEAK
// channels only where PEAK's library loads, SocketCAN interfaces, the virtual bus), with the
// state of each SocketCAN interface as the kernel tells it.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct TCanLinkState;

struct TFoundAdapter {
    QString Plugin;
    QString Interface;
    QString Description;  // the plugin's words for the device; may be empty
    bool Up = true;       // SocketCAN: the interface is up
    quint32 BitRate = 0;  // SocketCAN: the rate it runs at, 0 where unknown

    QString Backend() const { return Plugin + QLatin1Char(':') + Interface; }
};

// The seams: the plugins, one plugin's devices (name and description), and a SocketCAN
// interface's state.
struct TAdapterSearch {
    struct TDevice {
        QString Name;
        QString Description;
    };
    std::function<QStringList()> Plugins;
    std::function<QList<TDevice>(const QString &plugin)> Devices;
    std::function<std::optional<TCanLinkState>(const QString &interface)> SocketCanState;
};

// PEAK's channels first, then SocketCAN's interfaces, then the other plugins' devices.
QList<TFoundAdapter> FindAdapters(const TAdapterSearch &search);
// The adapter a start without --can= takes: the first PEAK channel, else the first SocketCAN
// interface that is up; empty when there is neither.
QString FirstAdapterFound(const QList<TFoundAdapter> &found);
// QtSerialBus and the kernel's netlink.
TAdapterSearch SystemAdapterSearch();
