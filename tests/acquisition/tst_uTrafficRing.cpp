#include "acquisition/uTrafficRing.h"

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

void PushAll(TTrafficRing &ring, const QStringList &pushes)
{
    for (const QString &push : pushes)
        Push(ring, push);
}

QStringList Lines(const TTrafficRing &ring)
{
    QStringList lines;
    for (int row = 0; row < ring.Count(); ++row)
        lines << ring.Line(row);
    return lines;
}

// A text pane as the traffic window has it: it drops its oldest lines beyond the bound.
void Apply(QStringList &view, const TTrafficCatchUp &catchUp, int bound)
{
    if (catchUp.Replace)
        view.clear();
    if (!catchUp.Text.isEmpty())
        view << catchUp.Text.split(QLatin1Char('\n'));
    if (view.size() > bound)
        view.remove(0, view.size() - bound);
}

}  // namespace

class tst_uTrafficRing : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheNewestLines_data();
    void keepsTheNewestLines();
    void longRunKeepsEveryLineInPlace();
    void aViewGetsOnlyTheLinesItLacks_data();
    void aViewGetsOnlyTheLinesItLacks();
};

void tst_uTrafficRing::keepsTheNewestLines_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QStringList>("pushes");
    QTest::addColumn<QStringList>("lines");

    const QString frame1 = QStringLiteral("@data CAN1:|0023282328646400");
    const QString line1 = QStringLiteral("data CAN1:00 23 28 23 28 64 64 00");
    const QString chassis = QStringLiteral("@data chassis CAN:|00FF10000000000A");
    const QString chassisLine = QStringLiteral("data chassis CAN:00 FF 10 00 00 00 00 0A");
    const QString connected = QStringLiteral("Połączenie");

    QTest::newRow("empty") << 3 << QStringList() << QStringList();
    QTest::newRow("below the bound, texts among frames")
        << 3 << QStringList{connected, frame1, chassis}
        << QStringList{connected, line1, chassisLine};
    // The texts that leave with their lines must not shift the texts that stay.
    QTest::newRow("past the bound, texts dropped and kept")
        << 3
        << QStringList{connected, frame1, QStringLiteral("Rozłączenie"), frame1, connected, chassis}
        << QStringList{line1, connected, chassisLine};
    QTest::newRow("texts only, as the speed pane")
        << 2
        << QStringList{QStringLiteral("mLogGPS"), QStringLiteral("speed vtg:12,50"),
                       QStringLiteral("speed rmc:3,00")}
        << QStringList{QStringLiteral("speed vtg:12,50"), QStringLiteral("speed rmc:3,00")};
    QTest::newRow("one line kept")
        << 1 << QStringList{frame1, connected, chassis} << QStringList{chassisLine};
}

void tst_uTrafficRing::keepsTheNewestLines()
{
    QFETCH(int, capacity);
    QFETCH(QStringList, pushes);
    QFETCH(QStringList, lines);

    TTrafficRing ring(capacity);
    PushAll(ring, pushes);
    QCOMPARE(Lines(ring), lines);
    QCOMPARE(ring.Pushed(), quint64(pushes.size()));
    QCOMPARE(ring.FirstNumber(), quint64(pushes.size() - lines.size()));
    QCOMPARE(ring.Line(ring.Count()), QString());
    QCOMPARE(ring.LinesFrom(0), lines.join(QLatin1Char('\n')));
}

// Hours at the bus's full speed, a text now and then: every kept line is still the one
// pushed at its place, however often the ring and its texts have wrapped.
void tst_uTrafficRing::longRunKeepsEveryLineInPlace()
{
    const auto pushed = [](int i) {
        return i % 7 == 0 ? QString::number(i)
                          : QStringLiteral("@data CAN1:|00000000000000%1")
                                .arg(i % 256, 2, 16, QLatin1Char('0'));
    };
    const auto line = [](int i) {
        return i % 7 == 0 ? QString::number(i)
                          : QStringLiteral("data CAN1:00 00 00 00 00 00 00 %1")
                                .arg(QString::number(i % 256, 16)
                                         .rightJustified(2, QLatin1Char('0'))
                                         .toUpper());
    };
    TTrafficRing ring(1000);
    for (int i = 0; i < 50000; ++i)
        Push(ring, pushed(i));
    QCOMPARE(ring.Count(), 1000);
    for (int row = 0; row < ring.Count(); ++row)
        QCOMPARE(ring.Line(row), line(49000 + row));
}

// The view is handed what it lacks and, bounded like the ring, then holds exactly the ring's
// lines. Once it would drop a quarter of the ring's lines, it is handed the whole ring instead.
void tst_uTrafficRing::aViewGetsOnlyTheLinesItLacks_data()
{
    QTest::addColumn<QStringList>("shown");   // pushed and handed to the view
    QTest::addColumn<QStringList>("pushes");  // pushed since
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("text");

    const auto letters = [](const char *text) {
        return QString::fromLatin1(text).split(QString(), Qt::SkipEmptyParts);
    };
    const QString frame = QStringLiteral("@data CAN1:|0023282328646400");
    const QString line = QStringLiteral("data CAN1:00 23 28 23 28 64 64 00");
    QTest::newRow("nothing new") << letters("ab") << QStringList() << false << QString();
    QTest::newRow("first lines") << QStringList() << QStringList{"a", frame} << false
                                 << QStringLiteral("a\n") + line;
    QTest::newRow("new lines, the view below the bound")
        << letters("abcde") << QStringList{frame, "f", "g"} << false
        << line + QStringLiteral("\nf\ng");
    QTest::newRow("the view drops less than a quarter")
        << letters("abcdefgh") << letters("i") << false << QStringLiteral("i");
    QTest::newRow("the view would drop a quarter")
        << letters("abcdefgh") << letters("ij") << true << QStringLiteral("c\nd\ne\nf\ng\nh\ni\nj");
    QTest::newRow("the ring moved past all the view holds")
        << letters("ab") << QStringList{"c", "d", "e", "f", "g", "h", "i", "j", "k", frame} << true
        << QStringLiteral("e\nf\ng\nh\ni\nj\nk\n") + line;
}

void tst_uTrafficRing::aViewGetsOnlyTheLinesItLacks()
{
    QFETCH(QStringList, shown);
    QFETCH(QStringList, pushes);
    QFETCH(bool, replace);
    QFETCH(QString, text);

    constexpr int Bound = 8;
    TTrafficRing ring(Bound);
    TTrafficReader reader;
    QStringList view;
    PushAll(ring, shown);
    Apply(view, reader.CatchUp(ring), Bound);
    QCOMPARE(view, Lines(ring));

    PushAll(ring, pushes);
    const TTrafficCatchUp catchUp = reader.CatchUp(ring);
    QCOMPARE(catchUp.Replace, replace);
    QCOMPARE(catchUp.Text, text);
    Apply(view, catchUp, Bound);
    QCOMPARE(view, Lines(ring));
    QCOMPARE(reader.CatchUp(ring).Text, QString());
}

QTEST_GUILESS_MAIN(tst_uTrafficRing)
#include "tst_uTrafficRing.moc"
