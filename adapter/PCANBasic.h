#pragma once
// The adapter interface in the shape of the vendor's PCAN-Basic API: the same types, status
// codes and four class functions, served by one QCanBusDevice so that any QtSerialBus
// plugin (or the simulated unit) can stand behind it.

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QCanBusDevice;
class QCanBusFrame;
class QObject;

using TPCANHandle = quint8;
using TPCANBaudrate = quint16;  // BTR0 in the high byte, BTR1 in the low byte
using TPCANType = quint8;
using TPCANStatus = quint32;
using TPCANMessageType = quint8;

// Layout as published by the vendor: ID at 0, MSGTYPE at 4, LEN at 5, DATA at 6..13.
struct TPCANMsg {
    quint32 ID = 0;
    TPCANMessageType MSGTYPE = 0;
    quint8 LEN = 0;
    quint8 DATA[8] = {};

    bool operator==(const TPCANMsg &) const = default;
};

struct TPCANTimestamp {
    quint32 millis = 0;
    quint16 millis_overflow = 0;
    quint16 micros = 0;
};

constexpr TPCANHandle PCAN_USBBUS1 = 0x51;
constexpr TPCANType PCAN_TYPE_ISA = 0x01;

constexpr TPCANMessageType PCAN_MESSAGE_STANDARD = 0x00;
constexpr TPCANMessageType PCAN_MESSAGE_RTR = 0x01;
constexpr TPCANMessageType PCAN_MESSAGE_EXTENDED = 0x02;
constexpr TPCANMessageType PCAN_MESSAGE_STATUS = 0x80;

constexpr TPCANStatus PCAN_ERROR_OK = 0x00000;
constexpr TPCANStatus PCAN_ERROR_BUSLIGHT = 0x00004;  // error warning on the bus
constexpr TPCANStatus PCAN_ERROR_BUSHEAVY = 0x00008;  // error warning, more errors
constexpr TPCANStatus PCAN_ERROR_BUSOFF = 0x00010;
constexpr TPCANStatus PCAN_ERROR_QRCVEMPTY = 0x00020;  // receive queue empty
constexpr TPCANStatus PCAN_ERROR_QXMTFULL = 0x00080;   // transmit queue full
constexpr TPCANStatus PCAN_ERROR_NODRIVER = 0x00200;   // backend could not be loaded
constexpr TPCANStatus PCAN_ERROR_ILLHW = 0x01400;      // wrong channel or hardware gone
constexpr TPCANStatus PCAN_ERROR_ILLPARAMVAL = 0x08000;
constexpr TPCANStatus PCAN_ERROR_BUSPASSIVE = 0x40000;
constexpr TPCANStatus PCAN_ERROR_INITIALIZE = 0x4000000;    // channel not (or already) initialised
constexpr TPCANStatus PCAN_ERROR_ILLOPERATION = 0x8000000;  // the backend cannot do this

// Beyond the vendor's calls, what supervising the adapter needs. A backend may finish
// connecting in the event loop, and may lose its device later (a pulled adapter, the virtual
// bus server ending); Lost covers both a failed connecting and a lost connection.
enum class TAdapterState { Closed, Connecting, Connected, Lost };
struct TAdapterError {
    bool ReadFailed = false;  // a read from the adapter failed (it may be gone)
    QString Text;
};

// A frame of the bus as the adapter API hands it over: at most eight data bytes, the rest 0.
TPCANMsg MessageFromFrame(const QCanBusFrame &frame);
// And back: the frame a message is put on the bus as.
QCanBusFrame FrameFromMessage(const TPCANMsg &message);
// The adapter's time stamp in µs.
inline quint64 MicrosecondsOf(const TPCANTimestamp &timestamp)
{
    return ((quint64(timestamp.millis_overflow) << 32) + timestamp.millis) * 1000u
           + timestamp.micros;
}

// Makes the device that stands behind the channel; null with a reason on failure.
using TCanDeviceFactory = std::function<std::unique_ptr<QCanBusDevice>(QString *errorText)>;
// For an adapter whose bit rate is set outside its plugin (SocketCAN): makes sure it runs at
// the bit rate before it is opened, false with what to do. The plugin is then told no bit
// rate of its own.
using TCanOpenCheck = std::function<bool(int bitRate, QString *problem)>;

class TPCANBasic
{
public:
    TPCANBasic() = delete;

    static TPCANStatus Initialize(TPCANHandle channel, TPCANBaudrate btr0btr1, TPCANType hwType,
                                  quint32 ioPort, quint16 interrupt);
    static TPCANStatus Uninitialize(TPCANHandle channel);
    static TPCANStatus Read(TPCANHandle channel, TPCANMsg &message, TPCANTimestamp &timestamp);
    static TPCANStatus Write(TPCANHandle channel, const TPCANMsg &message);

    // Chosen once at start-up by --can=, replaced by tests. plugin names the QtSerialBus
    // plugin behind the factory, which decides the bit rate it is configured with.
    static void SetDeviceFactory(TCanDeviceFactory factory, const QString &plugin = {},
                                 TCanOpenCheck openCheck = {});
    // Why the last failing call failed, in the backend's words (for standard error).
    static QString LastErrorText();
    // The open device, for tests and for the simulated unit's own controls; null when closed.
    static QCanBusDevice *Device();

    // The vendor's CAN_GetStatus: the bus state as PCAN_ERROR_OK (error active),
    // PCAN_ERROR_BUSLIGHT or PCAN_ERROR_BUSHEAVY (warning), PCAN_ERROR_BUSPASSIVE or
    // PCAN_ERROR_BUSOFF; PCAN_ERROR_ILLOPERATION where the backend does not report it.
    static TPCANStatus GetStatus(TPCANHandle channel);
    static TAdapterState AdapterState();
    // The errors the backend reported since the last call, oldest first: at most MaxErrors,
    // the number of others in dropped.
    static constexpr int MaxErrors = 32;
    static QList<TAdapterError> TakeErrors(int *dropped);
    // An exception escaped from code of the backend's own (Qt 6.4's virtual bus throws on a
    // malformed line from a peer and then reads nothing more). When receiver belongs to the
    // open device, the adapter counts as lost with the message, and true is returned.
    static bool NoteBackendFault(const QObject *receiver, const QString &message);
};
