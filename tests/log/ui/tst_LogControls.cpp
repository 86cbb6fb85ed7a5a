#include "acquisition/ui/uCalibrationPage.h"
#include "app/ui/uFrmMain.h"
#include "app/ui/uLoggingPage.h"
#include "app/ui/uWindowSet.h"
#include "display/ui/uLtrBox.h"
#include "log/ui/uLogBox.h"
#include "settings/ui/uFrmSettings.h"
#include "speed/ui/uSpeedSimBox.h"
#include "support/uFakeCanDevice.h"
#include "support/uFullDisk.h"
#include "support/uModal.h"
#include "widgets/uLook.h"
#include "widgets/uRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

// The logger connected to a fake bus, online after one sample.
struct TOnlineLogger {
    TOnlineLogger()
    {
        QDir(QStringLiteral("logs")).removeRecursively();
        QDir().mkpath(QStringLiteral("logs"));
        Main.Session().Log.LogFileName = QStringLiteral("logs/run.csv");
        Main.btnInitClick();
        Samples(1);
    }
    void Samples(int count)
    {
        Bus.Device()->Inject(QList<QCanBusFrame>(
            count, ExtendedFrame(0x18FECE47, QByteArray::fromHex("0A23282328C8643C"))));
        Main.Session().TimerCanTimer();
    }
    QList<QByteArray> Lines() const
    {
        const QStringList files =
            QDir(QStringLiteral("logs"))
                .entryList({QStringLiteral("run_*[0-9].csv")}, QDir::Files, QDir::Name);
        QFile file(QStringLiteral("logs/") + files.value(0));
        file.open(QIODevice::ReadOnly);
        QList<QByteArray> lines = file.readAll().split('\n');
        lines.removeLast();  // after the last CR LF
        return lines;
    }

    TFakeCanBus Bus;
    TWindowSet Windows = TWindowSet::Create(ParseCommandLine({}));
    TfrmMain &Main = *Windows.frmMain;
    TFrmSettings &Settings = *Windows.secondary.frmSettings;
};

// The next message box a user would see: counted, its text kept, and closed. Shared, so that
// a box that comes only after the test has ended finds it still there.
struct TMessageBoxSeen {
    int Count = 0;
    QString Text;
};

std::shared_ptr<TMessageBoxSeen> WatchNextMessageBox()
{
    auto seen = std::make_shared<TMessageBoxSeen>();
    OnNextModal([seen](QWidget *box) {
        ++seen->Count;
        seen->Text = static_cast<QMessageBox *>(box)->text();
        box->close();
    });
    return seen;
}

}  // namespace

class tst_LogControls : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void startNeedsAnOnlineUnit()
    {
        TFakeCanBus bus;
        TWindowSet windows = TWindowSet::Create(ParseCommandLine({}));
        const auto box = WatchNextMessageBox();
        QTest::mouseClick(windows.frmMain->Pages().tsLogging->gbSaveLog->btnStartLog, Qt::LeftButton);
        QCoreApplication::processEvents();  // the button answers after the click
        QCOMPARE(box->Text, QStringLiteral("Connect CAN device first"));
        QVERIFY(!windows.frmMain->Session().Log.LogActive());
        QCOMPARE(windows.frmMain->Session().Log.LogFileIndex, 0);
    }

    void startWriteStop()
    {
        TOnlineLogger logger;
        logger.Main.Session().Acquisition.State.Sensors[1].FrameCounter = 77;
        QTest::mouseClick(logger.Main.Pages().tsLogging->gbSaveLog->btnStartLog, Qt::LeftButton);
        QCoreApplication::processEvents();  // the button answers after the click
        QVERIFY(logger.Main.Session().Log.LogActive());
        QCOMPARE(logger.Main.Session().Acquisition.State.Sensors[1].FrameCounter, 0);
        QVERIFY(logger.Main.Pages().tsLogging->gbSaveLog->lLogName->text().startsWith(
            QStringLiteral("run_001_")));
        QVERIFY(!logger.Main.Pages().tsLogging->gbSaveLog->btnStartLog->isEnabled());
        logger.Samples(3);
        logger.Main.Session().Timer1Timer();               // flushes
        QTRY_COMPARE(logger.Lines().size(), 8);  // by the writer's thread
        QList<QByteArray> lines = logger.Lines();
        QCOMPARE(lines[2], QByteArray("Firmware;\r"));
        QVERIFY(lines[7].startsWith("3;"));
        QVERIFY(lines[7].endsWith(";0,00;0,00;0,00;1,00;0,00;0A;0,600\r"));

        // Ticking unit 2 now does not change the columns of the running log.
        logger.Settings.cbID2->setEnabled(true);
        logger.Settings.cbID2->setChecked(true);
        logger.Samples(1);
        QTest::mouseClick(logger.Main.Pages().tsLogging->gbSaveLog->btnStopLog, Qt::LeftButton);
        lines = logger.Lines();
        QCOMPARE(lines.last().count(';'), 9);
        QCOMPARE(logger.Main.Pages().tsLogging->gbSaveLog->lLogName->text(),
                 QStringLiteral("- not active -"));
        QVERIFY(logger.Main.Pages().tsLogging->gbSaveLog->btnStartLog->isEnabled());
    }

    // Once a log has stopped its report is offered, and written where the user chooses while
    // the window goes on.
    void aStoppedLogOffersItsReport()
    {
        TOnlineLogger logger;
        TLogBox &box = *logger.Main.Pages().tsLogging->gbSaveLog;
        logger.Main.Session().Timer1Timer();
        QVERIFY(!box.btnDriveReport->isEnabled());
        box.StartLogging();
        logger.Samples(20);
        box.StopLogging();
        logger.Main.Session().Timer1Timer();
        QVERIFY(box.btnDriveReport->isEnabled() && logger.Main.Menu().menuDriveReport->isEnabled());

        const QString report = QDir(QStringLiteral("logs")).absoluteFilePath("report.pdf");
        std::shared_ptr<TMessageBoxSeen> written;
        OnNextModal([report, &written](QWidget *dialog) {
            static_cast<QFileDialog *>(dialog)->selectFile(report);
            static_cast<QDialog *>(dialog)->accept();  // public as a QDialog
            written = WatchNextMessageBox();
        });
        QTest::mouseClick(box.btnDriveReport, Qt::LeftButton);
        // The box comes once the report is whole; the test ends only after it, so that no
        // watcher is left to take a later test's box.
        QTRY_VERIFY_WITH_TIMEOUT(written && written->Count == 1, 30000);
        QVERIFY(written->Text.contains(QLatin1String("report.pdf")));
        QFile pdf(report);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
    }

    // The window's own events between Start and Stop reach the record beside the log, after
    // the state in force at Start.
    void aDriveLeavesAnEventsRecord()
    {
        TOnlineLogger logger;
        logger.Main.Session().Timer1Timer();  // LTR 0.60: the alarm came on before the log
        QVERIFY(logger.Main.Session().Ltr()->LtrAlarmActive());
        QTest::mouseClick(logger.Main.Pages().tsLogging->gbSaveLog->btnStartLog, Qt::LeftButton);
        QCoreApplication::processEvents();  // the button answers after the click
        const QString record = logger.Main.Session().Log.EventsRecordName();
        QCOMPARE(record, QString(logger.Main.Session().Log.FileName()).replace(".csv", ".events.csv"));
        const QByteArray logName = QFileInfo(logger.Main.Session().Log.FileName()).fileName().toLatin1();
        logger.Bus.Device()->Inject(
            {ExtendedFrame(0x18FECE47, QByteArray::fromHex("0A23282328C86410"))});
        logger.Main.Session().TimerCanTimer();
        logger.Main.Session().Timer1Timer();
        logger.Main.Pages().PageControl1->setCurrentWidget(logger.Main.Pages().tsCalibration);
        QTest::mouseClick(logger.Main.Pages().tsCalibration->btnCalibrate, Qt::LeftButton);
        QCoreApplication::processEvents();  // the button answers after the click
        logger.Main.Pages().tsLogging->SpeedSim->rgDemoSpeed->Item(2)->click();
        QTest::mouseClick(logger.Main.Pages().tsLogging->gbSaveLog->btnStopLog, Qt::LeftButton);
        logger.Main.Pages().tsLogging->SpeedSim->rgDemoSpeed->Item(0)->click();  // after Stop: dropped

        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.takeLast().isEmpty());
        for (QByteArray &line : lines)
            line = line.mid(line.indexOf(';') + 1);  // after the time
        QCOMPARE(lines, (QList<QByteArray>{
                            "ZDARZENIE;SZCZEG\xD3\xA3Y\r", "log started;" + logName + "\r",
                            // the state in force at Start
                            "speed source;serial: off\r", "speed source;simulation: off\r",
                            "LTR alarm on;LTR 0,600, threshold 0,5\r",
                            "LTR alarm off;LTR 0,160, threshold 0,5\r",
                            "calibration request;calibrate: sent\r",
                            "speed source;simulation: 30 km/h\r", "log stopped;records: 1\r"}));
    }

    // A kill must cost no more than what the adapter still holds: records do not wait for
    // the display tick.
    void recordsReachTheFileAtTheCanTickThatDecodedThem()
    {
        TOnlineLogger logger;
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        logger.Samples(3);
        QTRY_COMPARE(logger.Lines().size(), 5 + 3);  // written by the writer's thread at once
        const QList<QByteArray> lines = logger.Lines();
        QVERIFY(lines.last().startsWith("3;"));
    }

    // What the bus carried and what the program put on it, in the trace beside the log;
    // the menu item leaves the next log without one.
    void theRawTraceHoldsTheBusFrames()
    {
        TOnlineLogger logger;
        QVERIFY(logger.Main.Menu().menuKeepRawTrace->isCheckable());
        QVERIFY(logger.Main.Menu().menuKeepRawTrace->isChecked());
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        logger.Samples(2);
        QCOMPARE(logger.Main.Session().Acquisition.Send({0x18FAFD25, PCAN_MESSAGE_EXTENDED, 1, {2}}),
                 PCAN_ERROR_OK);
        const QString trace = logger.Main.Session().Log.RawTraceName();
        logger.Main.Pages().tsLogging->gbSaveLog->StopLogging();
        QFile file(trace);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3 + 1);
        QVERIFY(lines[1].endsWith(" can0 18FECE47#0A23282328C8643C R"));
        QVERIFY(lines[2].endsWith(" can0 18FAFD25#02 T"));

        logger.Main.Menu().menuKeepRawTrace->trigger();
        QVERIFY(!logger.Main.Session().Log.KeepRawTrace);
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        QVERIFY(logger.Main.Session().Log.RawTraceName().isEmpty());
        logger.Main.Pages().tsLogging->gbSaveLog->StopLogging();
    }

    void everyThirtySecondRecordFromStart()
    {
        TOnlineLogger logger;
        logger.Settings.cbSlowSave->setChecked(true);
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        logger.Samples(31);
        logger.Main.Pages().tsLogging->gbSaveLog->StopLogging();
        QCOMPARE(logger.Lines().size(), 5);  // the head only

        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        logger.Samples(300);
        logger.Main.Pages().tsLogging->gbSaveLog->StopLogging();
        QDir(QStringLiteral("logs"))
            .remove(QDir(QStringLiteral("logs"))
                        .entryList({QStringLiteral("run_*[0-9].csv")}, QDir::Files)
                        .first());
        const QList<QByteArray> lines = logger.Lines();
        QCOMPARE(lines.size(), 5 + 9);  // samples 32, 64, ... 288, also across 255 → 0
        QVERIFY(lines.last().startsWith("9;"));
    }

    void aFailingFlushIsReportedOnceAndEndsTheLog()
    {
        TOnlineLogger logger;
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        logger.Samples(2);
        logger.Main.Session().Timer1Timer();
        QString ignored;
        QVERIFY(logger.Main.Session().Log.File().OpenOn(std::make_unique<TFullDisk>(),
                                              QStringLiteral("full.csv"), false, {}, &ignored));
        const auto box = WatchNextMessageBox();
        logger.Samples(1);
        // The writer's failure is told at a display tick after it, once.
        QTRY_VERIFY((logger.Main.Session().Timer1Timer(), box->Count == 1));
        logger.Main.Session().Timer1Timer();
        QCOMPARE(box->Count, 1);
        QCOMPARE(box->Text,
                 QStringLiteral("Cannot write the log file full.csv: No space left on device"));
        QVERIFY(!logger.Main.Session().Log.LogActive());
        QVERIFY(logger.Main.Pages().tsLogging->gbSaveLog->btnStartLog->isEnabled());
        QCOMPARE(logger.Lines().size(), 7);  // what was on disk stays
    }

    void aStartThatCannotOpenTheFileSaysWhichFile()
    {
        TOnlineLogger logger;
        logger.Main.Session().Log.LogFileName = QStringLiteral("missing/run.csv");
        const auto box = WatchNextMessageBox();
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        const QString file = QDir::toNativeSeparators(
            QDir::current().absoluteFilePath(QStringLiteral("missing/run_001_")));
        QVERIFY2(box->Text.startsWith(QStringLiteral("Cannot open the log file ") + file)
                     && box->Text.endsWith(QStringLiteral(".csv: No such file or directory")),
                 qPrintable(box->Text));
        QVERIFY(!logger.Main.Session().Log.LogActive());
        QVERIFY(logger.Main.Pages().tsLogging->gbSaveLog->btnStartLog->isEnabled());
        QCOMPARE(logger.Main.Session().Log.LogFileIndex, 1);
    }

    void aLogFileDeletedWhileLoggingIsReportedOnceAndEndsTheLog()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows does not let an open file go");
#endif
        TOnlineLogger logger;
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        logger.Samples(2);
        QVERIFY(QDir(QStringLiteral("logs")).removeRecursively());
        const auto box = WatchNextMessageBox();
        logger.Samples(1);
        logger.Main.Session().Timer1Timer();
        QCOMPARE(box->Count, 1);
        const QString file = QDir::toNativeSeparators(
            QDir::current().absoluteFilePath(QStringLiteral("logs/run_001_")));
        QVERIFY2(box->Text.startsWith(QStringLiteral("The log file ") + file),
                 qPrintable(box->Text));
        QVERIFY(!logger.Main.Session().Log.LogActive());
        QCOMPARE(logger.Main.Pages().tsLogging->gbSaveLog->lLogName->text(),
                 QStringLiteral("- not active -"));
        QVERIFY(logger.Main.Pages().tsLogging->gbSaveLog->btnStartLog->isEnabled());
    }

    void closingTheWindowClosesTheLog()
    {
        TOnlineLogger logger;
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        logger.Samples(5);
        logger.Main.show();
        logger.Main.close();
        QVERIFY(!logger.Main.Session().Log.LogActive());
        QVERIFY(logger.Lines().last().startsWith("5;"));
    }

    void settingsAppliedWithOk()
    {
        TOnlineLogger logger;
        logger.Main.Pages().tsLogging->gbSaveLog->StartLogging();
        const QString events = logger.Main.Session().Log.EventsRecordName();
        bool warned = false;
        OnNextModal([&logger, &warned](QWidget *) {
            TFrmSettings &s = logger.Settings;
            warned = s.lLogEnds->isVisible() && s.lLogEnds->text().contains(QLatin1String("run_001_"));
            s.rbTestEnv->click();
            s.cbID2->click();
            s.txtID2->setText(QStringLiteral("18FEDC20"));
            s.cbbBaudrates->setCurrentIndex(2);
            s.Button1->click();
        });
        logger.Main.Ustawienia1Click();
        TAcquisitionState &a = logger.Main.Session().Acquisition.State;
        QCOMPARE(a.ProtocolEnv, TProtocolEnv::peTest);
        QCOMPARE(a.CanId1, QStringLiteral("18FEDC10"));
        QCOMPARE(a.CanId2, QStringLiteral("18FEDC20"));
        QVERIFY(a.CanId3.isEmpty() && a.ChassisCanId.isEmpty());
        QCOMPARE(logger.Main.Pages().tsLogging->lCANProtocol->text(), QStringLiteral("test protocol"));
        QCOMPARE(logger.Main.Pages().tsLogging->cbbBaudrates->currentIndex(), 2);
        QVERIFY(!logger.Main.Session().Log.LogActive());  // OK stops the log
        // and says so: in the dialog before, in the status bar and in the events record after.
        QVERIFY(warned);
        QVERIFY(logger.Main.Pages().lLog->text().contains(QLatin1String("ended by OK in Settings")));
        QFile record(events);
        QVERIFY(record.open(QIODevice::ReadOnly));
        const QByteArray content = record.readAll();
        QVERIFY2(content.contains(";log stopped;records: 0, ended by OK in Settings\r\n"), content.constData());

        // Opened again, units 2 and 3 come unticked: OK at once switches unit 2 off.
        OnNextModal([&logger](QWidget *) { logger.Settings.Button1->click(); });
        logger.Main.Ustawienia1Click();
        QVERIFY(a.CanId2.isEmpty());
        QCOMPARE(a.ProtocolEnv, TProtocolEnv::peTest);

        // Cancel keeps everything, whatever was changed in the dialog.
        OnNextModal([&logger](QWidget *) {
            logger.Settings.rbProdEnv->click();
            logger.Settings.Button2->click();
        });
        logger.Main.Ustawienia1Click();
        QCOMPARE(a.ProtocolEnv, TProtocolEnv::peTest);
        QCOMPARE(a.CanId1, QStringLiteral("18FEDC10"));
    }
};

QTEST_MAIN(tst_LogControls)
#include "tst_LogControls.moc"
