#include "adapter/uCanLink.h"
#include "session/uAdapterChoice.h"
#include "session/uCanBackend.h"

#include <QtTest>

namespace {

using TDevices = QMap<QString, QStringList>;  // plugin: its devices; "-" marks a CAN link down

TAdapterSearch FakeSearch(const TDevices &devices)
{
    TAdapterSearch search;
    search.Plugins = [devices] { return devices.keys(); };
    search.Devices = [devices](const QString &plugin) {
        QList<TAdapterSearch::TDevice> found;
        for (QString name : devices.value(plugin))
            found.push_back({name.remove(QLatin1Char('-')), {}});
        return found;
    };
    search.SocketCanState = [devices](const QString &name) -> std::optional<TCanLinkState> {
        if (devices.value(QStringLiteral("socketcan")).contains(name + u'-'))
            return TCanLinkState{true, false, true, false, 0};
        return TCanLinkState{true, true, true, false, 250000};
    };
    return search;
}

// PEAK's library loads; SocketCAN's can0 is down.
const TDevices Plugged{
    {"virtualcan", {"can0"}}, {"socketcan", {"can0-", "can1"}}, {"peakcan", {"usb1"}}};

QStringList Backends(const TAdapterOffer &offer)
{
    QStringList backends;
    for (const TAdapterChoice &choice : offer.Choices)
        backends << choice.Backend;
    return backends;
}

}  // namespace

class tst_AdapterChoice : public QObject
{
    Q_OBJECT
private slots:
    void theStartTakesWhatIsPluggedIn_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<TDevices>("devices");
        QTest::addColumn<QString>("started");
        QTest::newRow("--can= wins") << "sim" << Plugged << "sim";
        QTest::newRow("PEAK first") << QString() << Plugged << "peakcan:usb1";
        QTest::newRow("SocketCAN up")
            << QString() << TDevices{{"socketcan", {"can0-", "can1"}}} << "socketcan:can1";
        QTest::newRow("SocketCAN down only")
            << QString() << TDevices{{"socketcan", {"can0-"}}} << "peakcan:usb0";
        QTest::newRow("virtual bus only")
            << QString() << TDevices{{"virtualcan", {"can0"}}} << "peakcan:usb0";
        QTest::newRow("nothing") << QString() << TDevices{} << "peakcan:usb0";
    }
    void theStartTakesWhatIsPluggedIn()
    {
        QFETCH(QString, given);
        QFETCH(TDevices, devices);
        QFETCH(QString, started);
        QCOMPARE(StartAdapter(given, FindAdapters(FakeSearch(devices))), started);
    }

    void theSettingsOfferWhatIsFoundAndTheSimulatedUnit_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<bool>("fixed");
        const QStringList found{"peakcan:usb1", "socketcan:can0", "socketcan:can1",
                                "virtualcan:can0"};
        QTest::newRow("found") << "socketcan:can1" << found + QStringList{"sim"} << false;
        QTest::newRow("simulated") << "sim" << found + QStringList{"sim"} << false;
        QTest::newRow("unplugged stays choosable")
            << "peakcan:usb0" << QStringList{"peakcan:usb0"} + found + QStringList{"sim"} << false;
        QTest::newRow("replay") << "replay:/d/drive.log" << QStringList{"replay:/d/drive.log"}
                                << true;
        QTest::newRow("none in use") << QString() << found + QStringList{"sim"} << false;
    }
    void theSettingsOfferWhatIsFoundAndTheSimulatedUnit()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, offered);
        QFETCH(bool, fixed);
        const TAdapterOffer offer = OfferAdapters(FindAdapters(FakeSearch(Plugged)), current);
        QCOMPARE(Backends(offer), offered);
        QCOMPARE(offer.Fixed, fixed);
        // The list tells an interface that is down from one that runs, and at what speed.
        if (!fixed)
            QCOMPARE(offer.Choices[offered.indexOf("socketcan:can0")].Caption + ", "
                         + offer.Choices[offered.indexOf("socketcan:can1")].Caption,
                     QStringLiteral("socketcan:can0 (down), socketcan:can1 (up, 250 kbit/s)"));
    }
};

QTEST_GUILESS_MAIN(tst_AdapterChoice)
#include "tst_AdapterChoice.moc"
