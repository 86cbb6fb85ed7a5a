// What a screen reader or a UI automation tool does to the controls must have the effect of
// the user's click, and must not keep the tool waiting.

#include "acquisition/ui/uCalibrationPage.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "display/ui/uChartPanel.h"
#include "display/ui/uChartView.h"
#include "log/ui/uLogBox.h"
#include "support/uModal.h"
#include "widgets/uRadioGroup.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

namespace {

QAccessibleInterface *ChildNamed(QAccessibleInterface *parent, const QString &name)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (QAccessibleInterface *child = parent->child(i);
            child && child->text(QAccessible::Name) == name)
            return child;
    return nullptr;
}

void DoAction(QObject *control, const QString &action)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible && accessible->actionInterface());
    QVERIFY(accessible->actionInterface()->actionNames().contains(action));
    accessible->actionInterface()->doAction(action);
}

void FillChart(TfrmMain &main)
{
    for (int i = 0; i < 10; ++i)
        main.Chart().AppendChartSample(main.Session().Acquisition.State.Sensors[1]);
    main.Pages().tsLogging->ChartPanel->Refresh();
    QCOMPARE(main.Pages().tsLogging->ChartPanel->Chart1->DrawnPoints(csLTR), 10);
}

}  // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT
private slots:
    void toggleActionActsAsAClick();
    void choosingTheChosenScaleKeepsTheChart();
    void menuItemsThatOpenAWindowReturnAtOnce_data();
    void menuItemsThatOpenAWindowReturnAtOnce();
    void buttonsThatAnswerInABoxReturnAtOnce_data();
    void buttonsThatAnswerInABoxReturnAtOnce();
};

void tst_Accessibility::toggleActionActsAsAClick()
{
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &main = *windows.frmMain;
    TChartPanel &panel = *main.Pages().tsLogging->ChartPanel;

    FillChart(main);
    DoAction(panel.cbKatPoprzeczny, QAccessibleActionInterface::toggleAction());
    QVERIFY(!panel.cbKatPoprzeczny->isChecked());
    QVERIFY(!main.Chart().SeriesOn(csTiltY));
    QCOMPARE(panel.Chart1->DrawnPoints(csLTR), 0);

    FillChart(main);
    DoAction(panel.rgSkalaKata->Item(0), QAccessibleActionInterface::toggleAction());
    QCOMPARE(panel.Chart1->LeftAxis().Minimum, -1.0);
    QCOMPARE(panel.Chart1->DrawnPoints(csLTR), 0);
}

void tst_Accessibility::choosingTheChosenScaleKeepsTheChart()
{
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &main = *windows.frmMain;
    FillChart(main);
    for (TRadioGroup *scale :
         {main.Pages().tsLogging->ChartPanel->rgSkalaKata, main.Pages().tsLogging->ChartPanel->rgSkalaG,
          main.Pages().tsLogging->ChartPanel->rgSkalaCzasu})
        QTest::mouseClick(scale->Item(scale->ItemIndex()), Qt::LeftButton);
    QCOMPARE(main.Pages().tsLogging->ChartPanel->Chart1->DrawnPoints(csLTR), 10);
}

void tst_Accessibility::menuItemsThatOpenAWindowReturnAtOnce_data()
{
    QTest::addColumn<QString>("menu");  // empty: an item of the menu bar itself
    QTest::addColumn<QString>("item");
    QTest::newRow("Settings") << QString() << "Settings";
    QTest::newRow("Save as") << "File"
                             << "Save as";
    QTest::newRow("About") << "Help"
                           << "About";
    QTest::newRow("Changelog") << "Help"
                               << "Changelog";
}

void tst_Accessibility::menuItemsThatOpenAWindowReturnAtOnce()
{
    QFETCH(QString, menu);
    QFETCH(QString, item);
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &main = *windows.frmMain;
    main.show();

    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(main.menuBar());
    QVERIFY(bar);
    QAccessibleInterface *parent = bar;
    if (!menu.isEmpty()) {
        const QList<QMenu *> menus = main.menuBar()->findChildren<QMenu *>();
        const auto found =
            std::find_if(menus.begin(), menus.end(), [&](QMenu *m) { return m->title() == menu; });
        QVERIFY(found != menus.end());
        parent = QAccessible::queryAccessibleInterface(*found);
    }
    QAccessibleInterface *entry = ChildNamed(parent, item);
    QVERIFY2(entry && entry->actionInterface(), qPrintable(item));

    bool opened = false;
    OnNextModal([&opened](QWidget *window) {
        opened = true;
        window->close();
    });
    entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!opened);
    QTRY_VERIFY(opened);
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

void tst_Accessibility::buttonsThatAnswerInABoxReturnAtOnce_data()
{
    QTest::addColumn<bool>("calibrate");  // else Start of the log
    // Unit 1 not heard: "Connect CAN device first".
    QTest::newRow("Start") << false;
    // Heard, but the adapter is gone: "Error sending calibration request".
    QTest::newRow("Calibrate") << true;
}

void tst_Accessibility::buttonsThatAnswerInABoxReturnAtOnce()
{
    QFETCH(bool, calibrate);
    TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &main = *windows.frmMain;
    main.show();
    QPushButton *button = main.Pages().tsLogging->gbSaveLog->btnStartLog;
    if (calibrate) {
        main.Session().Acquisition.State.SensorOnline = true;
        main.Pages().tsCalibration->EnableRequests(true);
        button = main.Pages().tsCalibration->btnCalibrate;
    }
    bool opened = false;
    OnNextModal([&opened](QWidget *window) {
        opened = true;
        window->close();
    });
    DoAction(button, QAccessibleActionInterface::pressAction());
    QVERIFY(!opened);
    QTRY_VERIFY(opened);
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
