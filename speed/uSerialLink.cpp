#include "speed/uSerialLink.h"

TSerialLink::TSerialLink(QObject *parent) : QObject(parent)
{
    // The framing the splitters start with; a switch sets the framing of its mode.
    ComDataPacketGPS.SetStartString(QByteArrayLiteral("$GPVTG"));
    ComDataPacketVBOX.SetStartString(QByteArrayLiteral("$VBOX3i,"));
    ComDataPacketVBOX.SetSize(42);
    ComPortGPS.setReadBufferSize(0);
    connect(&ComPortGPS, &QSerialPort::readyRead, this, [this] {
        if (m_attached)
            m_attached->ReadFrom(ComPortGPS);
    });
}

bool TSerialLink::SwitchTo(TMode mode, const QString &portName)
{
    ComPortGPS.close();
    ComPortGPS.setPortName(portName);
    if (mode == TMode::GPS) {
        m_attached = &ComDataPacketGPS;
        ComDataPacketGPS.SetStartString(QByteArrayLiteral("$GP"));
        ComDataPacketGPS.SetStopString(QByteArrayLiteral("\r\n"));
    } else {
        m_attached = &ComDataPacketVBOX;
        ComDataPacketVBOX.SetStartString(QByteArrayLiteral("$VBOX3i,"));
        ComDataPacketVBOX.SetStopString({});
        ComDataPacketVBOX.SetSize(42);
    }
    if (!ComPortGPS.open(QIODevice::ReadWrite))
        return false;
    const bool configured = ComPortGPS.setBaudRate(QSerialPort::Baud115200)
                            && ComPortGPS.setDataBits(QSerialPort::Data8)
                            && ComPortGPS.setParity(QSerialPort::NoParity)
                            && ComPortGPS.setStopBits(QSerialPort::OneStop)
                            && ComPortGPS.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        ComPortGPS.close();
        return false;
    }
    // Held low where the line has them; a pseudo-terminal or a USB adapter without them is
    // still a usable link.
    ComPortGPS.setDataTerminalReady(false);
    ComPortGPS.setRequestToSend(false);
    return true;
}
