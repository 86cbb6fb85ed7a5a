#pragma once
// Qt's virtual bus plugin trusts every line a peer sends: a line without its two '#' makes it
// read past the end of a list, which throws (Qt 6.4) or crashes the program (Qt 6.8). The
// guard reads what waits on the plugin's socket before the plugin does; a malformed line ends
// the device as lost, so the channel reconnects on a new connection and the line is never read.

#include <QByteArray>
#include <QString>

#include <functional>

class QCanBusDevice;

// Installs the guard once the device is connected; onMalformed is told why, once.
void GuardVirtualBus(QCanBusDevice &device, std::function<void(const QString &why)> onMalformed);

// A line as the plugin receives it from the bus server, without its line end: "ID#FLAGS#HEX".
bool VirtualBusLineIsWellFormed(const QByteArray &line);
