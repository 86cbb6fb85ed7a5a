#include "adapter/PCANBasic.h"

#include "adapter/uBusSpeeds.h"
#include "adapter/uOpenAdvice.h"
#include "adapter/uVirtualBusGuard.h"

#include <QCanBusDevice>
#include <QCanBusFrame>
#include <QVariant>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

struct TChannel {
    TCanDeviceFactory factory;
    QString plugin;
    TCanOpenCheck openCheck;
    std::unique_ptr<QCanBusDevice> device;
    QString lastError;
    // What the open device's backend reported since it was made.
    QString fault;  // why the device counts as lost; empty while it does not
    QList<TAdapterError> errors;
    int droppedErrors = 0;
};

TChannel &Channel()
{
    static TChannel channel;
    return channel;
}

TPCANStatus Fail(TPCANStatus status, const QString &reason)
{
    Channel().lastError = reason;
    return status;
}

// Only the first USB channel exists behind this interface.
QCanBusDevice *OpenDevice(TPCANHandle channel, TPCANStatus &status)
{
    if (channel != PCAN_USBBUS1) {
        status = Fail(PCAN_ERROR_ILLHW, QStringLiteral("unknown channel 0x%1").arg(channel, 0, 16));
        return nullptr;
    }
    QCanBusDevice *device = Channel().device.get();
    if (!device) {
        status = Fail(PCAN_ERROR_INITIALIZE, QStringLiteral("channel not initialised"));
        return nullptr;
    }
    status = PCAN_ERROR_OK;
    return device;
}

void NoteError(TChannel &channel, QCanBusDevice::CanBusError kind, const QString &text)
{
    // A connection error ends the device: its loss, or the failure of a connect still going
    // on; it is told as that, not as an error of the bus.
    if (kind == QCanBusDevice::ConnectionError) {
        if (channel.fault.isEmpty())
            channel.fault = text;
        return;
    }
    if (channel.errors.size() >= TPCANBasic::MaxErrors) {
        ++channel.droppedErrors;
        return;
    }
    channel.errors.append({kind == QCanBusDevice::ReadError, text});
}

// The backend tells of errors by a signal; they are kept for the acquisition, which asks at
// its own ticks.
void WatchDevice(TChannel &channel, QCanBusDevice &device)
{
    channel.fault.clear();
    channel.errors.clear();
    channel.droppedErrors = 0;
    QObject::connect(&device, &QCanBusDevice::errorOccurred, &device,
                     [&channel, &device](QCanBusDevice::CanBusError kind) {
                         NoteError(channel, kind, device.errorString());
                     });
}

bool BelongsTo(const QObject *object, const QObject *ancestor)
{
    for (; object; object = object->parent())
        if (object == ancestor)
            return true;
    return false;
}

TPCANMessageType MessageTypeOf(const QCanBusFrame &frame)
{
    if (frame.frameType() == QCanBusFrame::ErrorFrame)
        return PCAN_MESSAGE_STATUS;
    TPCANMessageType type =
        frame.hasExtendedFrameFormat() ? PCAN_MESSAGE_EXTENDED : PCAN_MESSAGE_STANDARD;
    if (frame.frameType() == QCanBusFrame::RemoteRequestFrame)
        type |= PCAN_MESSAGE_RTR;
    return type;
}

}  // namespace

TPCANMsg MessageFromFrame(const QCanBusFrame &frame)
{
    const QByteArray payload = frame.payload();
    TPCANMsg message;
    message.ID = frame.frameId();
    message.MSGTYPE = MessageTypeOf(frame);
    const size_t length = std::min<size_t>(size_t(payload.size()), sizeof message.DATA);
    message.LEN = quint8(length);
    std::memcpy(message.DATA, payload.constData(), length);
    return message;
}

QCanBusFrame FrameFromMessage(const TPCANMsg &message)
{
    const auto length = std::min<qsizetype>(message.LEN, qsizetype(sizeof message.DATA));
    QCanBusFrame frame(message.ID,
                       QByteArray(reinterpret_cast<const char *>(message.DATA), length));
    frame.setExtendedFrameFormat((message.MSGTYPE & PCAN_MESSAGE_EXTENDED) != 0);
    if (message.MSGTYPE & PCAN_MESSAGE_RTR)
        frame.setFrameType(QCanBusFrame::RemoteRequestFrame);
    return frame;
}

void TPCANBasic::SetDeviceFactory(TCanDeviceFactory factory, const QString &plugin,
                                  TCanOpenCheck openCheck)
{
    Channel().factory = std::move(factory);
    Channel().plugin = plugin;
    Channel().openCheck = std::move(openCheck);
}

QString TPCANBasic::LastErrorText()
{
    return Channel().lastError;
}

QCanBusDevice *TPCANBasic::Device()
{
    return Channel().device.get();
}

TPCANStatus TPCANBasic::Initialize(TPCANHandle channel, TPCANBaudrate btr0btr1, TPCANType, quint32,
                                   quint16)
{
    TChannel &state = Channel();
    if (channel != PCAN_USBBUS1)
        return Fail(PCAN_ERROR_ILLHW, QStringLiteral("unknown channel 0x%1").arg(channel, 0, 16));
    if (state.device)
        return Fail(PCAN_ERROR_INITIALIZE, QStringLiteral("channel already initialised"));
    if (BusSpeeds::BitRateOfCode(btr0btr1) == 0)
        return Fail(
            PCAN_ERROR_ILLPARAMVAL,
            QStringLiteral("unknown bus-timing code 0x%1").arg(btr0btr1, 4, 16, QLatin1Char('0')));
    const int bitRate = BusSpeeds::PluginBitRate(state.plugin, btr0btr1);
    if (bitRate == 0)
        return Fail(PCAN_ERROR_ILLPARAMVAL, QStringLiteral("the %1 adapter cannot run at %2 bit/s")
                                                .arg(state.plugin)
                                                .arg(BusSpeeds::BitRateOfCode(btr0btr1)));
    if (!state.factory)
        return Fail(PCAN_ERROR_NODRIVER, QStringLiteral("no CAN backend chosen"));

    QString reason;
    if (state.openCheck && !state.openCheck(bitRate, &reason))
        return Fail(PCAN_ERROR_ILLHW, reason);
    std::unique_ptr<QCanBusDevice> device = state.factory(&reason);
    if (!device)
        return Fail(PCAN_ERROR_NODRIVER, AdvisedOpenProblem(state.plugin, reason));
    // Never the plugin's own default (SocketCAN's is 500 kbit/s) where the check set the rate.
    device->setConfigurationParameter(QCanBusDevice::BitRateKey,
                                      state.openCheck ? QVariant() : QVariant(bitRate));
    if (!device->connectDevice())
        return Fail(PCAN_ERROR_ILLHW, AdvisedOpenProblem(state.plugin, device->errorString()));
    // Some backends (the virtual bus) finish connecting in the event loop; reads report an
    // empty queue until then.
    WatchDevice(state, *device);
    if (state.plugin == QLatin1String("virtualcan"))
        GuardVirtualBus(*device, [&state](const QString &why) {
            if (state.fault.isEmpty())
                state.fault = why;
        });
    state.device = std::move(device);
    state.lastError.clear();
    return PCAN_ERROR_OK;
}

TPCANStatus TPCANBasic::Uninitialize(TPCANHandle channel)
{
    TPCANStatus status;
    QCanBusDevice *device = OpenDevice(channel, status);
    if (!device)
        return status;
    bool failed = false;
    QString reason;
    const auto watch = QObject::connect(device, &QCanBusDevice::errorOccurred, device, [&] {
        failed = true;
        reason = device->errorString();
    });
    // A device that is gone already has nothing to close, and Qt would only warn.
    const QCanBusDevice::CanBusDeviceState state = device->state();
    if (state == QCanBusDevice::ConnectedState || state == QCanBusDevice::ConnectingState)
        device->disconnectDevice();
    QObject::disconnect(watch);
    // The channel is released whatever the backend says: a second Initialize must work.
    Channel().device.reset();
    return failed ? Fail(PCAN_ERROR_ILLHW, reason) : PCAN_ERROR_OK;
}

TPCANStatus TPCANBasic::Read(TPCANHandle channel, TPCANMsg &message, TPCANTimestamp &timestamp)
{
    TPCANStatus status;
    QCanBusDevice *device = OpenDevice(channel, status);
    if (!device)
        return status;
    switch (TPCANBasic::AdapterState()) {
    case TAdapterState::Connected:
        break;
    case TAdapterState::Connecting:
        return PCAN_ERROR_QRCVEMPTY;
    default:
        return Fail(PCAN_ERROR_ILLHW, Channel().fault);
    }

    QCanBusFrame frame;
    do {
        if (device->framesAvailable() == 0)
            return PCAN_ERROR_QRCVEMPTY;
        frame = device->readFrame();
    } while (!frame.isValid());  // a backend's broken frame is nothing the caller can use

    message = MessageFromFrame(frame);

    const quint64 micros =
        quint64(frame.timeStamp().seconds()) * 1000000u + quint64(frame.timeStamp().microSeconds());
    const quint64 millis = micros / 1000u;
    timestamp.millis = quint32(millis);
    timestamp.millis_overflow = quint16(millis >> 32);
    timestamp.micros = quint16(micros % 1000u);
    return PCAN_ERROR_OK;
}

TPCANStatus TPCANBasic::Write(TPCANHandle channel, const TPCANMsg &message)
{
    TPCANStatus status;
    QCanBusDevice *device = OpenDevice(channel, status);
    if (!device)
        return status;
    if (device->state() != QCanBusDevice::ConnectedState)
        return Fail(PCAN_ERROR_ILLHW, device->errorString());

    if (!device->writeFrame(FrameFromMessage(message)))
        return Fail(PCAN_ERROR_QXMTFULL, device->errorString());
    return PCAN_ERROR_OK;
}

TPCANStatus TPCANBasic::GetStatus(TPCANHandle channel)
{
    TPCANStatus status;
    QCanBusDevice *device = OpenDevice(channel, status);
    if (!device)
        return status;
    if (AdapterState() != TAdapterState::Connected)
        return Fail(PCAN_ERROR_ILLHW, Channel().fault);
    if (!device->hasBusStatus())
        return PCAN_ERROR_ILLOPERATION;
    switch (device->busStatus()) {
    case QCanBusDevice::CanBusStatus::Good:
        return PCAN_ERROR_OK;
    case QCanBusDevice::CanBusStatus::Warning:
        return PCAN_ERROR_BUSHEAVY;
    case QCanBusDevice::CanBusStatus::Error:
        return PCAN_ERROR_BUSPASSIVE;
    case QCanBusDevice::CanBusStatus::BusOff:
        return PCAN_ERROR_BUSOFF;
    case QCanBusDevice::CanBusStatus::Unknown:
        break;
    }
    return PCAN_ERROR_ILLOPERATION;
}

TAdapterState TPCANBasic::AdapterState()
{
    TChannel &channel = Channel();
    if (!channel.device)
        return TAdapterState::Closed;
    const QCanBusDevice::CanBusDeviceState state = channel.device->state();
    const bool gone =
        state != QCanBusDevice::ConnectedState && state != QCanBusDevice::ConnectingState;
    if (gone && channel.fault.isEmpty())
        channel.fault = channel.device->errorString().isEmpty()
                            ? QStringLiteral("the adapter closed the connection")
                            : channel.device->errorString();
    if (channel.fault.isEmpty())
        return state == QCanBusDevice::ConnectedState ? TAdapterState::Connected
                                                      : TAdapterState::Connecting;
    // Whoever asks next wants to know why.
    channel.lastError = channel.fault;
    return TAdapterState::Lost;
}

QList<TAdapterError> TPCANBasic::TakeErrors(int *dropped)
{
    TChannel &channel = Channel();
    *dropped = std::exchange(channel.droppedErrors, 0);
    return std::exchange(channel.errors, {});
}

bool TPCANBasic::NoteBackendFault(const QObject *receiver, const QString &message)
{
    TChannel &channel = Channel();
    if (!channel.device || !BelongsTo(receiver, channel.device.get()))
        return false;
    channel.fault = message;  // whatever it was doing, it does nothing more
    return true;
}
