#include "can/uTrafficRing.h"

#include <QtTest>

// A push is "text" or a frame written "@prefix|bytes in hex".
namespace {

const char *const Prefixes[] = {"data CAN1:", "data chassis CAN:"};

void Push(TTrafficRing &ring, const QString &push)
{
    if (!push.startsWith(QLatin1Char('@'))) {
        ring.PushText(push);
        return;
    }
    const QStringList parts = push.mid(1).split(QLatin1Char('|'));
    TPCANMsg message;
    const QByteArray bytes = QByteArray::fromHex(parts[1].toLatin1());
    std::memcpy(message.DATA, bytes.constData(), size_t(qMin<qsizetype>(bytes.size(), 8)));
    for (const char *prefix : Prefixes)
        if (parts[0] == QLatin1String(prefix))
            ring.PushFrame(prefix, message);
}

QStringList Lines(const TTrafficRing &ring)
{
    QStringList lines;
    for (int row = 0; row < ring.Count(); ++row)
        lines << ring.Line(row);
    return lines;
}

} // namespace

class tst_uTrafficRing : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheNewestLines_data();
    void keepsTheNewestLines();
    void longRunKeepsEveryLineInPlace();
};

void tst_uTrafficRing::keepsTheNewestLines_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QStringList>("pushes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("longest");

    const QString frame1 = QStringLiteral("@data CAN1:|0023282328646400");
    const QString line1 = QStringLiteral("data CAN1:00 23 28 23 28 64 64 00");
    const QString chassis = QStringLiteral("@data chassis CAN:|00FF10000000000A");
    const QString chassisLine = QStringLiteral("data chassis CAN:00 FF 10 00 00 00 00 0A");
    const QString connected = QStringLiteral("Połączenie");

    QTest::newRow("empty") << 3 << QStringList() << QStringList() << 0;
    QTest::newRow("below the bound, texts among frames")
        << 3 << QStringList{connected, frame1, chassis} << QStringList{connected, line1, chassisLine}
        << int(chassisLine.size());
    // The texts that leave with their lines must not shift the texts that stay.
    QTest::newRow("past the bound, texts dropped and kept")
        << 3 << QStringList{connected, frame1, QStringLiteral("Rozłączenie"), frame1, connected,
                            chassis}
        << QStringList{line1, connected, chassisLine} << int(chassisLine.size());
    QTest::newRow("texts only, as the speed pane")
        << 2 << QStringList{QStringLiteral("mLogGPS"), QStringLiteral("speed vtg:12,50"),
                            QStringLiteral("speed rmc:3,00")}
        << QStringList{QStringLiteral("speed vtg:12,50"), QStringLiteral("speed rmc:3,00")}
        << 15;
    QTest::newRow("one line kept") << 1 << QStringList{frame1, connected, chassis}
                                   << QStringList{chassisLine} << int(chassisLine.size());
}

void tst_uTrafficRing::keepsTheNewestLines()
{
    QFETCH(int, capacity);
    QFETCH(QStringList, pushes);
    QFETCH(QStringList, lines);
    QFETCH(int, longest);

    TTrafficRing ring(capacity);
    for (const QString &push : pushes)
        Push(ring, push);
    QCOMPARE(Lines(ring), lines);
    QCOMPARE(ring.Pushed(), quint64(pushes.size()));
    QCOMPARE(ring.FirstNumber(), quint64(pushes.size() - lines.size()));
    QCOMPARE(ring.LongestLine(), longest);
    QCOMPARE(ring.Line(ring.Count()), QString());
}

// Hours at the bus's full speed, a text now and then: every kept line is still the one
// pushed at its place, however often the ring and its texts have wrapped.
void tst_uTrafficRing::longRunKeepsEveryLineInPlace()
{
    const auto pushed = [](int i) {
        return i % 7 == 0 ? QString::number(i)
                          : QStringLiteral("@data CAN1:|00000000000000%1").arg(i % 256, 2, 16, QLatin1Char('0'));
    };
    const auto line = [](int i) {
        return i % 7 == 0 ? QString::number(i)
                          : QStringLiteral("data CAN1:00 00 00 00 00 00 00 %1")
                                .arg(QString::number(i % 256, 16).rightJustified(2, QLatin1Char('0')).toUpper());
    };
    TTrafficRing ring(1000);
    for (int i = 0; i < 50000; ++i)
        Push(ring, pushed(i));
    QCOMPARE(ring.Count(), 1000);
    for (int row = 0; row < ring.Count(); ++row)
        QCOMPARE(ring.Line(row), line(49000 + row));
}

QTEST_GUILESS_MAIN(tst_uTrafficRing)
#include "tst_uTrafficRing.moc"
