#include "adapter/uCanLink.h"

#include <QProcess>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <linux/can/netlink.h>
#include <linux/if.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#ifdef Q_OS_LINUX
namespace {

// The attributes in [data, data + size): calls take(type, payload, payloadSize) for each;
// false where one runs past the end.
template <typename TTake>
bool ForEachAttribute(const char *data, qsizetype size, TTake take)
{
    while (size >= qsizetype(sizeof(rtattr))) {
        rtattr attribute;
        std::memcpy(&attribute, data, sizeof attribute);
        if (attribute.rta_len < sizeof(rtattr) || qsizetype(attribute.rta_len) > size)
            return false;
        take(attribute.rta_type, data + RTA_LENGTH(0), qsizetype(attribute.rta_len - RTA_LENGTH(0)));
        const qsizetype step = qsizetype(RTA_ALIGN(attribute.rta_len));
        data += step;
        size -= step;
    }
    return true;
}

void ReadLinkInfo(const char *data, qsizetype size, TCanLinkState &state)
{
    QByteArray kind;
    ForEachAttribute(data, size, [&](unsigned short type, const char *payload, qsizetype length) {
        if (type == IFLA_INFO_KIND)
            kind = QByteArray(payload, length).split('\0').first();
        else if (type == IFLA_INFO_DATA)
            ForEachAttribute(payload, length, [&](unsigned short inner, const char *value, qsizetype n) {
                if (inner == IFLA_CAN_BITTIMING && n >= qsizetype(sizeof(quint32)))
                    std::memcpy(&state.BitRate, value, sizeof(quint32));  // the first field
            });
    });
    state.Can = kind == "can";
    state.Virtual = kind == "vcan";
}

}  // namespace
#endif

std::optional<TCanLinkState> ReadCanLinkReply(const QByteArray &reply)
{
#ifdef Q_OS_LINUX
    nlmsghdr header;
    if (reply.size() < qsizetype(sizeof header))
        return std::nullopt;
    std::memcpy(&header, reply.constData(), sizeof header);
    if (header.nlmsg_len < sizeof header || qsizetype(header.nlmsg_len) > reply.size())
        return std::nullopt;
    TCanLinkState state;
    if (header.nlmsg_type == NLMSG_ERROR)  // no such interface
        return state;
    ifinfomsg info;
    if (header.nlmsg_type != RTM_NEWLINK || header.nlmsg_len < NLMSG_LENGTH(sizeof info))
        return std::nullopt;
    std::memcpy(&info, reply.constData() + NLMSG_HDRLEN, sizeof info);
    state.Exists = true;
    state.Up = (info.ifi_flags & IFF_UP) != 0;
    const qsizetype start = NLMSG_LENGTH(NLMSG_ALIGN(sizeof info));
    const bool whole = ForEachAttribute(
        reply.constData() + start, qsizetype(header.nlmsg_len) - start,
        [&](unsigned short type, const char *payload, qsizetype length) {
            if (type == IFLA_LINKINFO)
                ReadLinkInfo(payload, length, state);
        });
    if (!whole)
        return std::nullopt;
    return state;
#else
    Q_UNUSED(reply);
    return std::nullopt;
#endif
}

QString SocketCanCommand(const QString &interface, quint32 bitRate)
{
    return QStringLiteral("sudo ip link set %1 down && sudo ip link set %1 up type can bitrate %2")
        .arg(interface)
        .arg(bitRate);
}

TSocketCanPlan PlanSocketCan(const QString &interface, const TCanLinkState &state,
                             quint32 bitRate, bool mayConfigure)
{
    if (!state.Exists)
        return {TSocketCanPlan::Refuse,
                QStringLiteral("there is no interface %1: plug the adapter in, or choose another "
                               "in Settings or with --can=")
                    .arg(interface)};
    if (state.Virtual && state.Up)
        return {TSocketCanPlan::Open, {}};
    if (state.Virtual)
        return {TSocketCanPlan::Refuse,
                QStringLiteral("%1 is down: bring it up with: sudo ip link set %1 up").arg(interface)};
    if (!state.Can)
        return {TSocketCanPlan::Refuse,
                QStringLiteral("%1 is no CAN interface: choose a CAN interface in Settings or "
                               "with --can=")
                    .arg(interface)};
    if (state.Up && state.BitRate == bitRate)
        return {TSocketCanPlan::Open, {}};
    if (mayConfigure)
        return {TSocketCanPlan::Configure, {}};
    const QString now = !state.Up ? QStringLiteral("%1 is down").arg(interface)
                                  : QStringLiteral("%1 runs at %2 bit/s, not %3")
                                        .arg(interface)
                                        .arg(state.BitRate)
                                        .arg(bitRate);
    return {TSocketCanPlan::Refuse,
            QStringLiteral("%1: bring it up at %2 bit/s with: %3")
                .arg(now)
                .arg(bitRate)
                .arg(SocketCanCommand(interface, bitRate))};
}

bool PrepareSocketCan(const TCanLinkAccess &access, const QString &interface, quint32 bitRate,
                      QString *problem)
{
    std::optional<TCanLinkState> state = access.Query(interface, problem);
    if (!state)
        return false;
    TSocketCanPlan plan = PlanSocketCan(interface, *state, bitRate, access.MayConfigure);
    if (plan.Action == TSocketCanPlan::Configure) {
        if (!access.Configure(interface, bitRate, problem))
            return false;
        state = access.Query(interface, problem);
        if (!state)
            return false;
        plan = PlanSocketCan(interface, *state, bitRate, false);  // it must run at it now
    }
    if (plan.Action == TSocketCanPlan::Open)
        return true;
    *problem = plan.Problem;
    return false;
}

namespace {

std::optional<TCanLinkState> QueryKernel(const QString &interface, QString *error)
{
#ifdef Q_OS_LINUX
    const QByteArray name = interface.toLocal8Bit();
    if (name.isEmpty() || name.size() >= IFNAMSIZ) {
        *error = QStringLiteral("there is no interface %1").arg(interface);
        return std::nullopt;
    }
    const int socket = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (socket < 0) {
        *error = QStringLiteral("the kernel cannot be asked about %1: %2")
                     .arg(interface, QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    struct {
        nlmsghdr header;
        ifinfomsg info;
        char attributes[RTA_SPACE(IFNAMSIZ)];
    } request{};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof request.info) + RTA_LENGTH(name.size() + 1);
    request.header.nlmsg_type = RTM_GETLINK;
    request.header.nlmsg_flags = NLM_F_REQUEST;
    request.info.ifi_family = AF_UNSPEC;
    rtattr attribute{};
    attribute.rta_len = RTA_LENGTH(name.size() + 1);
    attribute.rta_type = IFLA_IFNAME;
    std::memcpy(request.attributes, &attribute, sizeof attribute);
    std::memcpy(request.attributes + RTA_LENGTH(0), name.constData(), size_t(name.size()));
    QByteArray reply(32768, '\0');
    ssize_t received = -1;
    if (::send(socket, &request, request.header.nlmsg_len, 0) >= 0)
        received = ::recv(socket, reply.data(), size_t(reply.size()), 0);
    const int failure = errno;
    ::close(socket);
    if (received < 0) {
        *error = QStringLiteral("the kernel cannot be asked about %1: %2")
                     .arg(interface, QString::fromLocal8Bit(std::strerror(failure)));
        return std::nullopt;
    }
    reply.truncate(received);
    std::optional<TCanLinkState> state = ReadCanLinkReply(reply);
    if (!state)
        *error = QStringLiteral("the kernel's answer about %1 could not be read").arg(interface);
    return state;
#else
    *error = QStringLiteral("SocketCAN needs Linux (%1)").arg(interface);
    return std::nullopt;
#endif
}

bool RunIp(const QStringList &arguments, QString *error)
{
    QProcess ip;
    ip.start(QStringLiteral("ip"), arguments);
    if (ip.waitForFinished(5000) && ip.exitStatus() == QProcess::NormalExit && ip.exitCode() == 0)
        return true;
    const QString said = QString::fromLocal8Bit(ip.readAllStandardError()).trimmed();
    *error = QStringLiteral("ip %1 failed: %2")
                 .arg(arguments.join(QLatin1Char(' ')), said.isEmpty() ? ip.errorString() : said);
    return false;
}

}  // namespace

TCanLinkAccess SystemCanLinkAccess()
{
    TCanLinkAccess access;
    access.Query = QueryKernel;
    access.Configure = [](const QString &interface, quint32 bitRate, QString *error) {
        return RunIp({QStringLiteral("link"), QStringLiteral("set"), interface,
                      QStringLiteral("down")},
                     error)
               && RunIp({QStringLiteral("link"), QStringLiteral("set"), interface,
                         QStringLiteral("up"), QStringLiteral("type"), QStringLiteral("can"),
                         QStringLiteral("bitrate"), QString::number(bitRate)},
                        error);
    };
#ifdef Q_OS_LINUX
    access.MayConfigure = ::geteuid() == 0;
#endif
    return access;
}
