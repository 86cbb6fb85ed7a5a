#include "adapter/uCanLink.h"
#include "adapter/uOpenAdvice.h"

#include <QtTest>

#include <linux/can/netlink.h>
#include <linux/if.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <cstring>

namespace {

QByteArray Attribute(unsigned short type, const QByteArray &payload)
{
    rtattr attribute{};
    attribute.rta_len = RTA_LENGTH(payload.size());
    attribute.rta_type = type;
    QByteArray bytes(reinterpret_cast<const char *>(&attribute), sizeof attribute);
    bytes += payload;
    bytes.append(QByteArray(RTA_ALIGN(attribute.rta_len) - attribute.rta_len, '\0'));
    return bytes;
}

// The kernel's answer for an interface, as its headers lay it out.
QByteArray LinkReply(unsigned flags, const QByteArray &kind, quint32 bitRate)
{
    ifinfomsg info{};
    info.ifi_flags = flags;
    can_bittiming timing{};
    timing.bitrate = bitRate;
    QByteArray linkInfo = Attribute(IFLA_INFO_KIND, kind + '\0');
    if (bitRate)
        linkInfo += Attribute(IFLA_INFO_DATA,
                              Attribute(IFLA_CAN_STATE, QByteArray(4, '\0'))
                                  + Attribute(IFLA_CAN_BITTIMING,
                                              QByteArray(reinterpret_cast<const char *>(&timing),
                                                         sizeof timing)));
    const QByteArray body = QByteArray(reinterpret_cast<const char *>(&info), sizeof info)
                            + Attribute(IFLA_IFNAME, "can0\0") + Attribute(IFLA_LINKINFO, linkInfo);
    nlmsghdr header{};
    header.nlmsg_len = NLMSG_LENGTH(body.size());
    header.nlmsg_type = RTM_NEWLINK;
    return QByteArray(reinterpret_cast<const char *>(&header), sizeof header) + body;
}

QByteArray NoSuchInterface()
{
    nlmsghdr header{};
    header.nlmsg_len = NLMSG_LENGTH(sizeof(nlmsgerr));
    header.nlmsg_type = NLMSG_ERROR;
    nlmsgerr error{};
    error.error = -ENODEV;
    return QByteArray(reinterpret_cast<const char *>(&header), sizeof header)
           + QByteArray(reinterpret_cast<const char *>(&error), sizeof error);
}

}  // namespace

Q_DECLARE_METATYPE(TCanLinkState)

class tst_uCanLink : public QObject
{
    Q_OBJECT
private slots:
    void readsTheKernelsAnswer_data();
    void readsTheKernelsAnswer();
    void plansTheOpening_data();
    void plansTheOpening();
    void configuresWhereItMayAndChecksAgain();
    void otherFailuresSayWhatToDo_data();
    void otherFailuresSayWhatToDo();
};

void tst_uCanLink::readsTheKernelsAnswer_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("can");
    QTest::addColumn<quint32>("bitRate");
    QTest::newRow("up at 250 kbit/s") << LinkReply(IFF_UP, "can", 250000) << true << true << true
                                      << true << 250000u;
    QTest::newRow("down") << LinkReply(0, "can", 500000) << true << true << false << true
                          << 500000u;
    QTest::newRow("no such interface") << NoSuchInterface() << true << false << false << false
                                       << 0u;
    QTest::newRow("not CAN") << LinkReply(IFF_UP, "veth", 0) << true << true << true << false
                             << 0u;
    QTest::newRow("cut short") << LinkReply(IFF_UP, "can", 250000).left(40) << false << false
                               << false << false << 0u;
    QTest::newRow("nothing") << QByteArray() << false << false << false << false << 0u;
}

void tst_uCanLink::readsTheKernelsAnswer()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, read);
    const std::optional<TCanLinkState> state = ReadCanLinkReply(reply);
    QCOMPARE(state.has_value(), read);
    if (!state)
        return;
    QTEST(state->Exists, "exists");
    QTEST(state->Up, "up");
    QTEST(state->Can, "can");
    QTEST(state->BitRate, "bitRate");
}

void tst_uCanLink::plansTheOpening_data()
{
    QTest::addColumn<TCanLinkState>("state");
    QTest::addColumn<bool>("mayConfigure");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("problem");
    const QString command = QStringLiteral(
        "sudo ip link set can0 down && sudo ip link set can0 up type can bitrate 250000");
    QTest::newRow("up at the speed") << TCanLinkState{true, true, true, false, 250000} << false
                                     << int(TSocketCanPlan::Open) << QString();
    QTest::newRow("another speed")
        << TCanLinkState{true, true, true, false, 500000} << false << int(TSocketCanPlan::Refuse)
        << "can0 runs at 500000 bit/s, not 250000: bring it up at 250000 bit/s with: " + command;
    QTest::newRow("down") << TCanLinkState{true, false, true, false, 250000} << false
                          << int(TSocketCanPlan::Refuse)
                          << "can0 is down: bring it up at 250000 bit/s with: " + command;
    QTest::newRow("another speed, may configure")
        << TCanLinkState{true, true, true, false, 500000} << true << int(TSocketCanPlan::Configure)
        << QString();
    QTest::newRow("no such interface")
        << TCanLinkState{} << true << int(TSocketCanPlan::Refuse)
        << "there is no interface can0: plug the adapter in, or choose another in Settings or "
           "with --can=";
    QTest::newRow("virtual, up") << TCanLinkState{true, true, false, true, 0} << false
                                 << int(TSocketCanPlan::Open) << QString();
    QTest::newRow("not CAN") << TCanLinkState{true, true, false, false, 0} << true
                             << int(TSocketCanPlan::Refuse)
                             << "can0 is no CAN interface: choose a CAN interface in Settings or "
                                "with --can=";
}

void tst_uCanLink::plansTheOpening()
{
    QFETCH(TCanLinkState, state);
    QFETCH(bool, mayConfigure);
    const TSocketCanPlan plan = PlanSocketCan(QStringLiteral("can0"), state, 250000, mayConfigure);
    QTEST(int(plan.Action), "action");
    QTEST(plan.Problem, "problem");
}

void tst_uCanLink::configuresWhereItMayAndChecksAgain()
{
    TCanLinkState state{true, false, true, false, 500000};
    QStringList configured;
    TCanLinkAccess access;
    access.Query = [&state](const QString &, QString *) { return std::optional(state); };
    access.Configure = [&](const QString &interface, quint32 bitRate, QString *) {
        configured << QStringLiteral("%1 %2").arg(interface).arg(bitRate);
        state = {true, true, true, false, bitRate};
        return true;
    };
    access.MayConfigure = true;
    QString problem;
    QVERIFY(PrepareSocketCan(access, QStringLiteral("can0"), 250000, &problem));
    QCOMPARE(configured, QStringList{"can0 250000"});

    // A configuration the kernel did not take is no success.
    access.Configure = [](const QString &, quint32, QString *) { return true; };
    state = {true, true, true, false, 500000};
    QVERIFY(!PrepareSocketCan(access, QStringLiteral("can0"), 250000, &problem));
    QVERIFY(problem.startsWith(QStringLiteral("can0 runs at 500000 bit/s, not 250000")));
}

void tst_uCanLink::otherFailuresSayWhatToDo_data()
{
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("advice");  // how the message begins
    QTest::newRow("no PCAN-Basic")
        << "peakcan"
        << "Cannot load library pcanbasic: (pcanbasic: cannot open shared object file: No such "
           "file or directory)"
        << "PEAK's PCAN-Basic library is not installed: install PCAN-Basic, or choose";
    QTest::newRow("no plugin") << "foo"
                               << "No such plugin: 'foo'"
                               << "Qt has no CAN plugin \"foo\"";
    QTest::newRow("permission") << "socketcan"
                                << "Operation not permitted"
                                << "the program may not use the adapter";
    QTest::newRow("in use") << "peakcan"
                            << "The hardware is in use by another program"
                            << "the adapter is in use by another program";
    QTest::newRow("anything else") << "peakcan"
                                   << "adapter not plugged in"
                                   << "adapter not plugged in";
}

void tst_uCanLink::otherFailuresSayWhatToDo()
{
    QFETCH(QString, plugin);
    QFETCH(QString, reason);
    QFETCH(QString, advice);
    const QString message = AdvisedOpenProblem(plugin, reason);
    QVERIFY2(message.startsWith(advice) && message.contains(reason), qPrintable(message));
}

QTEST_GUILESS_MAIN(tst_uCanLink)
#include "tst_uCanLink.moc"
