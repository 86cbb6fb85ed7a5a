#pragma once
// A SocketCAN interface as the kernel describes it over netlink, which any user may ask:
// whether it is there, up, a CAN interface, and the bit rate it runs at; and what to do
// before opening it at the bus speed the window shows. The plugin would apply a bit rate only
// with privileges and libsocketcan, else warn and open the interface at whatever speed it
// runs, so the program decides itself and never opens it at another speed.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

struct TCanLinkState {
    bool Exists = false;
    bool Up = false;
    bool Can = false;      // the kernel's "can" kind, a real controller with a bit rate
    bool Virtual = false;  // "vcan": no bit rate at all
    quint32 BitRate = 0;   // 0 where the kernel tells none
};

// The bytes the kernel answers to RTM_GETLINK for one interface; nullopt where they are not
// such an answer.
std::optional<TCanLinkState> ReadCanLinkReply(const QByteArray &reply);

struct TSocketCanPlan {
    enum TAction { Open, Configure, Refuse } Action = Refuse;
    QString Problem;  // for Refuse: what is wrong and what to do
};

// The command that brings the interface up at the bit rate.
QString SocketCanCommand(const QString &interface, quint32 bitRate);
// mayConfigure: the program may set the interface's bit rate (it runs with the privilege).
TSocketCanPlan PlanSocketCan(const QString &interface, const TCanLinkState &state,
                             quint32 bitRate, bool mayConfigure);

// The seams: asking the kernel, and configuring the interface. Each returns false with the
// reason.
struct TCanLinkAccess {
    std::function<std::optional<TCanLinkState>(const QString &interface, QString *error)> Query;
    std::function<bool(const QString &interface, quint32 bitRate, QString *error)> Configure;
    bool MayConfigure = false;
};
// The kernel's netlink and the ip command; may configure when running as root.
TCanLinkAccess SystemCanLinkAccess();

// Before opening a SocketCAN interface: true when it runs at the bit rate, configured first
// where it may be; false with what to do.
bool PrepareSocketCan(const TCanLinkAccess &access, const QString &interface, quint32 bitRate,
                      QString *problem);
