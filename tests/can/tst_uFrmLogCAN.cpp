#include "can/ui/uFrmLogCAN.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

class tst_uFrmLogCAN : public QObject
{
    Q_OBJECT
private slots:
    void startsWithItsOwnTexts();
    void linesArriveInOneBatchAfterTheEvent();
    void panesKeepTheNewestLines();
    void escapeHidesAndKeepsTheLines();
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

QTEST_MAIN(tst_uFrmLogCAN)
#include "tst_uFrmLogCAN.moc"
