#include "adapter/uVirtualBusGuard.h"

#include <QByteArray>
#include <QCanBusDevice>
#include <QEvent>
#include <QIODevice>
#include <QSocketNotifier>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/ioctl.h>
#include <sys/socket.h>
#endif

namespace {

// What the kernel holds for the socket, left there for the plugin's own read.
QByteArray Waiting(qintptr socket)
{
#ifdef Q_OS_WIN
    u_long size = 0;
    if (ioctlsocket(SOCKET(socket), FIONREAD, &size) != 0 || size == 0)
        return {};
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    const int got = recv(SOCKET(socket), data.data(), int(size), MSG_PEEK);
#else
    int size = 0;
    if (ioctl(int(socket), FIONREAD, &size) != 0 || size <= 0)
        return {};
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    const ssize_t got = recv(int(socket), data.data(), size_t(size), MSG_PEEK | MSG_DONTWAIT);
#endif
    data.truncate(got > 0 ? qsizetype(got) : 0);
    return data;
}

class TVirtualBusGuard : public QObject
{
public:
    TVirtualBusGuard(QIODevice &socket, QSocketNotifier &notifier,
                     std::function<void(const QString &)> onMalformed, QObject *parent)
        : QObject(parent), m_socket(socket), m_onMalformed(std::move(onMalformed))
    {
        notifier.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::SockAct)
            return false;
        auto *notifier = static_cast<QSocketNotifier *>(watched);
        // The plugin reads whole lines: the start of one may wait in the socket's buffer.
        const QByteArray pending =
            m_socket.peek(m_socket.bytesAvailable()) + Waiting(notifier->socket());
        const QList<QByteArray> lines = pending.split('\n');
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            if (VirtualBusLineIsWellFormed(lines[i].trimmed()))
                continue;
            notifier->setEnabled(false);
            m_onMalformed(QStringLiteral("a malformed line from the virtual bus"));
            return true;
        }
        return false;
    }

private:
    QIODevice &m_socket;
    std::function<void(const QString &)> m_onMalformed;
};

void Install(QCanBusDevice &device, const std::function<void(const QString &)> &onMalformed)
{
    auto *socket = device.findChild<QIODevice *>();
    if (!socket)
        return;
    for (QSocketNotifier *notifier : socket->findChildren<QSocketNotifier *>())
        if (notifier->type() == QSocketNotifier::Read) {
            new TVirtualBusGuard(*socket, *notifier, onMalformed, &device);
            return;
        }
}

}  // namespace

// The bus server sends its clients frames only; the plugin splits each at '#' and reads three
// parts without looking.
bool VirtualBusLineIsWellFormed(const QByteArray &line)
{
    return line.count('#') == 2;
}

void GuardVirtualBus(QCanBusDevice &device, std::function<void(const QString &why)> onMalformed)
{
    QObject::connect(&device, &QCanBusDevice::stateChanged, &device,
                     [&device, onMalformed](QCanBusDevice::CanBusDeviceState state) {
                         if (state == QCanBusDevice::ConnectedState)
                             Install(device, onMalformed);
                     });
}
