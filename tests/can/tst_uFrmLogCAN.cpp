#include "can/uFrmLogCAN.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

class tst_uFrmLogCAN : public QObject
{
    Q_OBJECT
private slots:
    void startsWithItsOwnTexts();
    void linesArriveInOneBatchAfterTheEvent();
    void panesKeepTheNewestLines();
    void escapeHidesAndKeepsTheLines();
    void paneFollowsTheNewestLineUnlessScrolledBack();
    void selectedLinesAreCopied_data();
    void selectedLinesAreCopied();
};

namespace {

TPCANMsg Frame(quint8 last)
{
    TPCANMsg message;
    const quint8 data[8] = {0x00, 0x23, 0x28, 0x23, 0x28, 0x64, 0x64, last};
    std::memcpy(message.DATA, data, sizeof data);
    return message;
}

// The y of a row's middle in the pane's viewport.
int RowY(const TTrafficPane &pane, int row)
{
    const int height = pane.fontMetrics().lineSpacing();
    return 4 + (row - pane.verticalScrollBar()->value()) * height + height / 2;
}

} // namespace

void tst_uFrmLogCAN::startsWithItsOwnTexts()
{
    TFrmLogCAN window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Log CAN"));
    QCOMPARE(window.mLogCAN->toPlainText(), QString());
    QCOMPARE(window.mLogGPS->toPlainText(), QStringLiteral("mLogGPS"));
    QCOMPARE(window.mLogCAN->accessibleName(), QStringLiteral("CAN traffic"));
    QCOMPARE(window.btnOK->text(), QStringLiteral("OK"));
}

void tst_uFrmLogCAN::linesArriveInOneBatchAfterTheEvent()
{
    TFrmLogCAN window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.AddCanLine(QStringLiteral("Połączenie"));
    for (int i = 0; i < 200; ++i)
        window.AddCanFrame("data CAN1:", Frame(quint8(i)));
    window.AddGpsLine(QStringLiteral("speed 12.5"));
    QCOMPARE(window.mLogCAN->verticalScrollBar()->maximum(), 0);  // nothing shown yet
    QCoreApplication::processEvents();
    QVERIFY(window.mLogCAN->verticalScrollBar()->maximum() > 0);
    QCOMPARE(window.mLogCAN->toPlainText().section(QLatin1Char('\n'), 0, 1),
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
    const TTrafficRing &lines = window.mLogCAN->Lines();
    QCOMPARE(lines.Count(), TFrmLogCAN::MaxLines);
    QCOMPARE(lines.Line(0), QString::number(extra));
    QCOMPARE(lines.Line(lines.Count() - 1), QString::number(TFrmLogCAN::MaxLines + extra - 1));
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

// At the end the pane follows each batch; scrolled back it stays on the same lines, also
// while the oldest lines are dropped beneath it.
void tst_uFrmLogCAN::paneFollowsTheNewestLineUnlessScrolledBack()
{
    TFrmLogCAN window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TTrafficPane &pane = *window.mLogCAN;
    QScrollBar &scroll = *pane.verticalScrollBar();
    for (int i = 0; i < TFrmLogCAN::MaxLines - 50; ++i)
        window.AddCanLine(QString::number(i));
    window.FlushPendingLines();
    QCOMPARE(scroll.value(), scroll.maximum());
    window.AddCanLine(QStringLiteral("newest"));
    window.FlushPendingLines();
    QCOMPARE(scroll.value(), scroll.maximum());

    scroll.setValue(scroll.maximum() - 1000);
    const QString top = pane.Lines().Line(scroll.value());
    for (int i = 0; i < 300; ++i)
        window.AddCanLine(QStringLiteral("more"));
    window.FlushPendingLines();
    QCOMPARE(pane.Lines().Line(scroll.value()), top);
    QVERIFY(scroll.value() < scroll.maximum());
}

void tst_uFrmLogCAN::selectedLinesAreCopied_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("copied");
    const QString lines123 = QStringLiteral("data CAN1:00 23 28 23 28 64 64 01\n"
                                            "Połączenie\n"
                                            "data CAN1:00 23 28 23 28 64 64 03");
    QTest::newRow("click, shift-click, Ctrl+C") << "shift" << lines123;
    QTest::newRow("drag upwards, Ctrl+C") << "drag" << lines123;
    QTest::newRow("one line, context menu Copy") << "menu"
                                                 << QStringLiteral("data CAN1:00 23 28 23 28 64 64 01");
    QTest::newRow("Ctrl+A, Ctrl+C") << "all"
                                    << QStringLiteral("data CAN1:00 23 28 23 28 64 64 00\n") + lines123
                                           + QStringLiteral("\ndata CAN1:00 23 28 23 28 64 64 04");
}

void tst_uFrmLogCAN::selectedLinesAreCopied()
{
    QFETCH(QString, how);
    QFETCH(QString, copied);

    TFrmLogCAN window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int i = 0; i < 5; ++i) {
        if (i == 2)
            window.AddCanLine(QStringLiteral("Połączenie"));
        else
            window.AddCanFrame("data CAN1:", Frame(quint8(i)));
    }
    window.FlushPendingLines();
    QApplication::clipboard()->clear();
    TTrafficPane &pane = *window.mLogCAN;
    QWidget *viewport = pane.viewport();
    pane.setFocus();
    if (how == QLatin1String("shift")) {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, RowY(pane, 1)));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, QPoint(20, RowY(pane, 3)));
    } else if (how == QLatin1String("drag")) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, RowY(pane, 3)));
        QMouseEvent move(QEvent::MouseMove, QPointF(20, RowY(pane, 1)), viewport->mapToGlobal(QPointF(20, RowY(pane, 1))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(20, RowY(pane, 1)));
    } else if (how == QLatin1String("menu")) {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, RowY(pane, 1)));
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            menu->actions().constFirst()->trigger();
            menu->close();
        });
        const QPoint at(20, RowY(pane, 1));
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
    } else {
        QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
    }
    if (how != QLatin1String("menu"))
        QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), copied);
}

QTEST_MAIN(tst_uFrmLogCAN)
#include "tst_uFrmLogCAN.moc"
