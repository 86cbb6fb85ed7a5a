#include "acquisition/ui/uFrmLogCAN.h"

#include "protocol/uFrameDecoder.h"

#include <QAccessible>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

namespace {

const char *const Prefixes[] = {"data CAN1:", "data chassis CAN:"};

// Traffic as the main window hands it on: recognised frames of both kinds, now and then a
// channel event. Returns the lines the window has always shown for it.
QStringList AddTraffic(TFrmLogCAN &window, int count, int &sent)
{
    QStringList lines;
    for (int i = 0; i < count; ++i, ++sent) {
        if (sent % 50 == 7) {
            lines << QStringLiteral("Połączenie %1").arg(sent);
            window.AddCanLine(lines.constLast());
            continue;
        }
        TPCANMsg message;
        for (int b = 0; b < 8; ++b)
            message.DATA[b] = quint8(sent >> (b % 4 * 8));
        const char *prefix = Prefixes[sent % 3 == 0];
        lines << TrafficLine(prefix, message);
        window.AddCanFrame(prefix, message);
    }
    return lines;
}

}  // namespace

class tst_uFrmLogCAN : public QObject
{
    Q_OBJECT
private slots:
    void startsWithItsOwnTexts();
    void linesArriveInOneBatchAfterTheEvent();
    void panesKeepTheNewestLines();
    void escapeHidesAndKeepsTheLines();
    void showingGivesTheLinesAsEver_data();
    void showingGivesTheLinesAsEver();
    void aScreenReaderReadsAndSelectsPartOfALine();
};

void tst_uFrmLogCAN::startsWithItsOwnTexts()
{
    TFrmLogCAN window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Log CAN"));
    QCOMPARE(window.mLogCAN->toPlainText(), QString());
    QCOMPARE(window.mLogGPS->toPlainText(), QStringLiteral("mLogGPS"));
    QCOMPARE(window.btnOK->text(), QStringLiteral("OK"));
}

void tst_uFrmLogCAN::linesArriveInOneBatchAfterTheEvent()
{
    TFrmLogCAN window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.AddCanLine(QStringLiteral("Połączenie"));
    window.AddCanLine(QStringLiteral("data CAN1:00 23 28 23 28 64 64 00"));
    window.AddGpsLine(QStringLiteral("speed 12.5"));
    QCOMPARE(window.mLogCAN->blockCount(), 1);  // the empty document's one block
    QCoreApplication::processEvents();
    QCOMPARE(window.mLogCAN->toPlainText(),
             QStringLiteral("Połączenie\ndata CAN1:00 23 28 23 28 64 64 00"));
    QCOMPARE(window.mLogGPS->toPlainText(), QStringLiteral("mLogGPS\nspeed 12.5"));
}

void tst_uFrmLogCAN::panesKeepTheNewestLines()
{
    TFrmLogCAN window;
    const int extra = 5;
    // Across two batches, the second larger than the bound on its own.
    for (int i = 0; i < 10; ++i)
        window.AddCanLine(QString::number(-1 - i));
    window.FlushPendingLines();
    for (int i = 0; i < TFrmLogCAN::MaxLines + extra; ++i)
        window.AddCanLine(QString::number(i));
    window.FlushPendingLines();
    QCOMPARE(window.mLogCAN->blockCount(), TFrmLogCAN::MaxLines);
    QCOMPARE(window.mLogCAN->document()->firstBlock().text(), QString::number(extra));
    QCOMPARE(window.mLogCAN->document()->lastBlock().text(),
             QString::number(TFrmLogCAN::MaxLines + extra - 1));
}

void tst_uFrmLogCAN::escapeHidesAndKeepsTheLines()
{
    TFrmLogCAN window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.AddCanLine(QStringLiteral("Rozłączenie"));
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    window.show();
    QCoreApplication::processEvents();
    QCOMPARE(window.mLogCAN->toPlainText(), QStringLiteral("Rozłączenie"));
    QTest::mouseClick(window.btnOK, Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

// Steps: "show", "hide", "traffic N" (N lines added), "events" (the batch after an event).
// While hidden the pane gets no text; once shown it holds the newest lines up to its bound,
// the same text as when every line went into it at once, and follows the newest line.
void tst_uFrmLogCAN::showingGivesTheLinesAsEver_data()
{
    QTest::addColumn<QStringList>("steps");
    const int max = TFrmLogCAN::MaxLines;
    QTest::newRow("traffic, then shown") << QStringList{"traffic 120", "show"};
    QTest::newRow("shown, hidden, more, shown")
        << QStringList{"show", "traffic 30", "events", "hide", "traffic 60", "show"};
    QTest::newRow("hidden before the batch")
        << QStringList{"show", "traffic 30", "hide", "traffic 5", "show"};
    const QString pastTheBound = QStringLiteral("traffic %1").arg(max + 10);
    QTest::newRow("hidden while the bound passes all it showed") << QStringList{
        "show", "traffic 30", "events", "hide", pastTheBound, "show", "traffic 400", "events"};
    const QString nearTheBound = QStringLiteral("traffic %1").arg(max - 100);
    QTest::newRow("past the bound while shown") << QStringList{
        "show", nearTheBound, "events", "traffic 380", "events", "traffic 380", "events"};
}

void tst_uFrmLogCAN::showingGivesTheLinesAsEver()
{
    QFETCH(QStringList, steps);

    TFrmLogCAN window;
    QPlainTextEdit &pane = *window.mLogCAN;
    QStringList lines;
    int sent = 0;
    QString shownWhenHidden;
    for (const QString &step : steps) {
        if (step == QLatin1String("show")) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        } else if (step == QLatin1String("hide")) {
            window.hide();
            shownWhenHidden = pane.toPlainText();
        } else if (step == QLatin1String("events")) {
            QCoreApplication::processEvents();
        } else {
            lines << AddTraffic(window, step.section(QLatin1Char(' '), 1).toInt(), sent);
            if (!window.isVisible()) {
                QCoreApplication::processEvents();
                QCOMPARE(pane.toPlainText(), shownWhenHidden);
            }
        }
    }
    QCoreApplication::processEvents();
    const QStringList newest = lines.mid(qMax(0, lines.size() - TFrmLogCAN::MaxLines));
    QCOMPARE(pane.blockCount(), newest.size());
    QCOMPARE(pane.toPlainText(), newest.join(QLatin1Char('\n')));
    QCOMPARE(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->maximum());
}

// The pane is text to a screen reader, which reads its lines and selects part of one; the
// part is what is copied.
void tst_uFrmLogCAN::aScreenReaderReadsAndSelectsPartOfALine()
{
    TFrmLogCAN window;
    int sent = 0;
    const QStringList lines = AddTraffic(window, 10, sent);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QAccessibleInterface *pane = QAccessible::queryAccessibleInterface(window.mLogCAN);
    QVERIFY(pane && pane->textInterface());
    QAccessibleTextInterface &text = *pane->textInterface();
    QCOMPARE(text.text(0, text.characterCount()), lines.join(QLatin1Char('\n')));

    const int start = int(lines[0].size() + 1 + QStringLiteral("data CAN1:").size());
    text.setSelection(0, start, start + 5);
    QCOMPARE(window.mLogCAN->textCursor().selectedText(), lines[1].mid(10, 5));
    window.mLogCAN->setFocus();
    QTest::keyClick(window.mLogCAN, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), lines[1].mid(10, 5));
}

QTEST_MAIN(tst_uFrmLogCAN)
#include "tst_uFrmLogCAN.moc"
