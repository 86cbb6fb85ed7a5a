#pragma once
// The serial port of the speed sources with its two packet splitters: GPS mode cuts NMEA
// sentences ("$GP" … CR LF), VBOX mode 42-byte "$VBOX3i," messages. At most one splitter
// reads the port; a mode switch closes the port, attaches the mode's splitter with its
// framing and opens the port again. The program never writes to the port.

#include "speed/uPacketSplitter.h"

#include <QObject>
#include <QSerialPort>

class TSerialLink : public QObject
{
public:
    enum class TMode { GPS, VBOX };

    explicit TSerialLink(QObject *parent = nullptr);

    // Closes the port, attaches the mode's splitter and opens the port under portName
    // (115200 baud, 8N1, no flow control, DTR and RTS held low). False when the port cannot
    // be opened; the port then stays closed with the new splitter attached.
    bool SwitchTo(TMode mode, const QString &portName);

    TPacketSplitter ComDataPacketGPS;
    TPacketSplitter ComDataPacketVBOX;
    QSerialPort ComPortGPS;

private:
    TPacketSplitter *m_attached = nullptr;
};
