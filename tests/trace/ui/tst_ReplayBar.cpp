#include "app/ui/uFrmMain.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "log/ui/uLogBox.h"
#include "trace/uReplayClock.h"
#include "trace/uReplayDevice.h"
#include "trace/ui/uReplayBar.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr qint64 T0 = 1733660000'000000;

// The window replaying a minute of unit frames, ten a second.
struct TReplayWindow {
    TReplayWindow()
    {
        std::vector<TTraceFrame> frames;
        for (int i = 0; i <= 600; ++i)
            frames.push_back({T0 + i * 100000LL,
                              {0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {0x0A, 0x23, 0x28}},
                              false});
        Replay.SetFrames(std::move(frames));
        TPCANBasic::SetDeviceFactory(ReplayDeviceFactory(Replay));
        Main.AttachReplay(Replay);
    }
    ~TReplayWindow()
    {
        if (Main.Session().Acquisition.ChannelOpen())  // the adapter is one for the whole program
            Main.btnReleaseClick();
        TPCANBasic::SetDeviceFactory({});
    }

    TReplay Replay;
    TReplayClock Clock{Replay};
    TWindowSet Windows = TWindowSet::Create(
        ParseCommandLine({QStringLiteral("--can=replay:/data/drive 7.log")}), {&Clock, nullptr});
    TfrmMain &Main = *Windows.frmMain;
};

void Press(QWidget *control)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

}  // namespace

class tst_ReplayBar : public QObject
{
    Q_OBJECT
private slots:
    void theWindowSaysItReplays()
    {
        TReplayWindow window;
        QCOMPARE(window.Main.windowTitle(), QStringLiteral("Logger TELQAR (replay: drive 7.log)"));
        TReplayBar *bar = window.Main.Pages().ReplayBar;
        QVERIFY(bar);
        QCOMPARE(bar->btnPlay->text(), QStringLiteral("Play"));
        QVERIFY(!bar->btnPlay->isEnabled());  // no bus to play on before Connect
        QCOMPARE(bar->cbbSpeed->accessibleName(), QStringLiteral("Replay speed"));
        QCOMPARE(bar->cbbSpeed->count(), 4);
        QCOMPARE(bar->cbbSpeed->itemText(3), QStringLiteral("10x"));
        QVERIFY(bar->lTraceTime->text().contains(QLatin1String("00:00.0 / 01:00.0")));
        // A screen reader reads the time itself, and the speed list by its label.
        QAccessibleInterface *time = QAccessible::queryAccessibleInterface(bar->lTraceTime);
        QCOMPARE(time->text(QAccessible::Name), bar->lTraceTime->text());
        QCOMPARE(time->text(QAccessible::Description), QStringLiteral("Trace time"));
        const auto labels = QAccessible::queryAccessibleInterface(bar->cbbSpeed)
                                ->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty() && labels.first().first->object() == bar->lSpeed);
    }

    // Connect plays, the bar pauses by its button or by a screen reader's press, and the
    // watchdogs keep still meanwhile; the slider and the speed reach the replay.
    void theBarDrivesTheReplay()
    {
        TReplayWindow window;
        TReplayBar *bar = window.Main.Pages().ReplayBar;
        window.Main.btnInitClick();
        QVERIFY(window.Replay.Playing());
        QTRY_VERIFY(window.Main.Session().Acquisition.State.SensorOnline);
        bar->Refresh();
        QCOMPARE(bar->btnPlay->text(), QStringLiteral("Pause"));
        Press(bar->btnPlay);
        QVERIFY(!window.Replay.Playing());
        QCOMPARE(bar->btnPlay->text(), QStringLiteral("Play"));
        const qint64 stood = window.Clock.MonotonicMs();
        QTest::qWait(150);
        QCOMPARE(window.Clock.MonotonicMs(), stood);
        window.Main.Session().Timer1Timer();
        QVERIFY(window.Main.Session().Acquisition.ChannelOpen());

        bar->sbPosition->setValue(550);  // 55 s in
        QCOMPARE(window.Replay.TraceTimeUs(SteadyUs()), T0 + 55000000);
        bar->cbbSpeed->setCurrentIndex(3);
        QCOMPARE(window.Replay.Speed(), 10);
        bar->btnPlay->click();
        QTRY_VERIFY_WITH_TIMEOUT(window.Replay.AtEnd(), 3000);
        bar->Refresh();
        QVERIFY(bar->lTraceTime->text().endsWith(QLatin1String("End of trace")));
        window.Main.Session().Timer1Timer();
        QVERIFY(window.Main.Session().Acquisition.ChannelOpen());  // the end keeps the channel open
    }

    // Play again after the end: the log stops before its times would run back.
    void playAgainStopsTheLog()
    {
        TReplayWindow window;
        TReplayBar *bar = window.Main.Pages().ReplayBar;
        window.Main.btnInitClick();
        QTRY_VERIFY(window.Main.Session().Acquisition.State.SensorOnline);
        window.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        window.Main.Session().Timer1Timer();  // listening from before the seek
        bar->sbPosition->setValue(595);
        bar->cbbSpeed->setCurrentIndex(3);
        QTRY_VERIFY(window.Replay.AtEnd());
        QVERIFY(window.Main.Session().Log.LogActive());
        Press(bar->btnPlay);
        QVERIFY(window.Replay.Playing());
        QVERIFY(!window.Main.Session().Log.LogActive());  // the events it writes: tst_uReplayTimeLine
    }

    // Traces stamped from 1970 by a unit without a clock are read too: however long the
    // trace, the slider's ends are its ends and its middle is its middle.
    void theSliderSpansAnyTrace_data()
    {
        QTest::addColumn<qint64>("startUs");
        QTest::addColumn<qint64>("endUs");
        constexpr qint64 Tenth = 100000;
        const qint64 tenthsAnIntHolds = std::numeric_limits<int>::max() * Tenth;
        QTest::newRow("a minute") << T0 << T0 + 60'000'000;
        QTest::newRow("as many tenths as an int holds") << T0 << T0 + tenthsAnIntHolds;
        QTest::newRow("a tenth more") << T0 << T0 + tenthsAnIntHolds + Tenth;
        QTest::newRow("1970 to 2024") << qint64(0) << T0;
        QTest::newRow("1970 to the end of 9999") << qint64(0) << TTraceFrame::LatestTimeUs;
        QTest::newRow("all a qint64 holds") << qint64(0) << std::numeric_limits<qint64>::max();
    }
    void theSliderSpansAnyTrace()
    {
        QFETCH(qint64, startUs);
        QFETCH(qint64, endUs);
        TReplay replay;
        const TPCANMsg message{0x18FECE47, PCAN_MESSAGE_EXTENDED, 8, {}};
        replay.SetFrames({{startUs, message, false}, {endUs, message, false}});
        TReplayBar bar(replay, [] { return true; });
        QSlider *slider = bar.sbPosition;
        const int last = slider->maximum();
        QVERIFY(last > 0);

        slider->setValue(last);
        QCOMPARE(replay.TraceTimeUs(0), endUs);
        slider->setValue(last / 2);
        const qint64 span = endUs - startUs;
        QVERIFY(qAbs(replay.TraceTimeUs(0) - startUs - span / 2) <= 2 * (span / last));
        replay.Seek(endUs, 0);
        bar.Refresh();
        QCOMPARE(slider->value(), last);
    }
};

QTEST_MAIN(tst_ReplayBar)
#include "tst_ReplayBar.moc"
