#include "app/ui/uFrmMain.h"

#include "acquisition/ui/uCalibrationPage.h"
#include "acquisition/ui/uFrmLogCAN.h"
#include "acquisition/ui/uHealthLine.h"
#include "adapter/uBusSpeeds.h"
#include "adapter/ui/uCanBusBox.h"
#include "app/ui/uFrmChangeLog.h"
#include "app/ui/uFrmSplashScreen.h"
#include "app/ui/uLoggingPage.h"
#include "base/uConsts.h"
#include "base/uDataFiles.h"
#include "display/uStatusCaptions.h"
#include "display/ui/uAlertSound.h"
#include "display/ui/uCarBox.h"
#include "display/ui/uChartPanel.h"
#include "display/ui/uLtrBox.h"
#include "display/ui/uReadoutsBox.h"
#include "display/ui/uStatusBox.h"
#include "display/ui/uVisualisationPage.h"
#include "log/ui/uLogBox.h"
#include "log/ui/uLogFileDialog.h"
#include "session/uCanBackend.h"
#include "settings/ui/uFrmSettings.h"
#include "speed/uDemoRun.h"
#include "speed/ui/uSerialSourceBox.h"
#include "speed/ui/uSpeedSimBox.h"
#include "trace/uReplayTimeLine.h"
#include "trace/ui/uReplayBar.h"
#include "widgets/uLook.h"
#include "widgets/uPictures.h"
#include "widgets/uRadioGroup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>

TfrmMain::TfrmMain(const TCommandLine &commandLine, TMainSeams seams, QWidget *parent)
    : QMainWindow(parent), m_ownClock(seams.clock ? nullptr : std::make_unique<TClock>()),
      m_clock(seams.clock ? seams.clock : m_ownClock.get())
{
    if (!seams.sound)
        m_ownSound = std::make_unique<TAlertSound>();

    BuildUi();
    tsLogging->gbLTR->Attach(Acquisition, seams.sound ? *seams.sound : *m_ownSound, &Log);
    SetUpTimers();
    SubscribeToAcquisition();
    SubscribeToSpeedSource();
    FormCreate(commandLine);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::SetSecondaryWindows(const TSecondaryWindows &windows)
{
    m_windows = windows;
    if (windows.frmSettings) {
        Log.FollowTicks(windows.frmSettings->LogTicks());
        connect(windows.frmSettings, &TFrmSettings::LogTicksChanged, this,
                [this](const TLogTicks &ticks) { Log.FollowTicks(ticks); });
    }
}

void TfrmMain::FormCreate(const TCommandLine &commandLine)
{
    Log.LogFileName = QStringLiteral("log.csv");
    Log.LogFileIndex = 0;
    Chart.ChartMaxPoints = 1500;
    Acquisition.State = TAcquisitionState{};  // production identifiers and environment
    tsLogging->gbLTR->ShowThreshold(
        TLtrAlarm::Threshold(tsLogging->gbLTR->Position()));  // in the user's locale
    ShowProtocolEnv();
    CanLogEnabled = commandLine.CanLogEnabled;
    Acquisition.TrafficWanted = CanLogEnabled;
    menuLogCan->setVisible(CanLogEnabled);
    LoadStatusCaptions();

    // Simulated and replayed values must never be taken for a live measurement.
    TCanBackend backend;
    if (!TCanBackend::Parse(commandLine.CanBackend, backend))
        return;
    if (backend.Simulated)
        setWindowTitle(QString::fromUtf8(Consts::AppTitle)
                       + QString::fromUtf8(Consts::SimulatedTitleSuffix));
    else if (!backend.TraceFile.isEmpty())
        setWindowTitle(
            QStringLiteral("%1 (replay: %2)")
                .arg(QString::fromUtf8(Consts::AppTitle), QFileInfo(backend.TraceFile).fileName()));
}

void TfrmMain::AttachReplay(TReplay &replay)
{
    ReplayBar = new TReplayBar(
        replay, [this] { return Acquisition.ChannelOpen(); }, this);
    addToolBar(Qt::BottomToolBarArea, ReplayBar);
    auto *timeLine = new TReplayTimeLine(replay, Acquisition, &Log, this);
    timeLine->LogRunning = [this] { return Log.LogActive(); };
    timeLine->StopLog = [this] { tsLogging->gbSaveLog->StopLogging(); };
    connect(&Timer1, &QTimer::timeout, timeLine, [timeLine] { timeLine->Tick(SteadyUs()); });
}

void TfrmMain::BuildUi()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(Consts::AppTitle));
    BuildMenu();

    PageControl1 = new TGradientTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    tsLogging = new TLoggingPage(Chart, Acquisition.State.Sensors[1], Speed);
    ConnectLoggingPage();
    tsVisualisation = new TVisualisationPage;
    tsCalibration = new TCalibrationPage;
    tsCalibration->Attach(Acquisition, &Log);
    PageControl1->addTab(tsLogging, QStringLiteral("Logging"));
    PageControl1->addTab(tsVisualisation, QStringLiteral("Visualisation"));
    PageControl1->addTab(tsCalibration, QStringLiteral("Calibration"));
    PageControl1->setCurrentWidget(tsLogging);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() == tsCalibration)
            tsCalibrationShow();
    });

    auto *background = new TGradientBackground(this);
    auto *layout = new QVBoxLayout(background);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    setCentralWidget(background);
    lHealth = new THealthLine;
    statusBar()->addWidget(lHealth, 1);

    // Design size of the client area; the window may grow, and shrink to its minimum.
    setMinimumSize(1024, 716);
    resize(1137, 692 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmMain::BuildMenu()
{
    auto makeAction = [this](QMenu *menu, const QString &caption, const char *name) {
        QAction *action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    Plik1 = menuBar()->addMenu(QStringLiteral("File"));
    Plik1->setObjectName(QStringLiteral("Plik1"));
    Save1 = makeAction(Plik1, QStringLiteral("Save as"), "Save1");
    menuLogCan = makeAction(Plik1, QStringLiteral("Log CAN"), "menuLogCan");
    menuKeepRawTrace = makeAction(Plik1, QStringLiteral("Keep raw trace"), "menuKeepRawTrace");
    menuKeepRawTrace->setCheckable(true);
    menuKeepRawTrace->setChecked(Log.KeepRawTrace);
    N1 = Plik1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Koniec1 = makeAction(Plik1, QStringLiteral("Close"), "Koniec1");

    Ustawienia1 = makeAction(nullptr, QStringLiteral("Settings"), "Ustawienia1");

    Pomoc1 = menuBar()->addMenu(QStringLiteral("Help"));
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    Oprogramie1 = makeAction(Pomoc1, QStringLiteral("About"), "Oprogramie1");
    Changelog1 = makeAction(Pomoc1, QStringLiteral("Changelog"), "Changelog1");

    connect(menuLogCan, &QAction::triggered, this, &TfrmMain::menuLogCanClick);
    connect(menuKeepRawTrace, &QAction::toggled, this,
            [this](bool keep) { Log.KeepRawTrace = keep; });
    connect(Koniec1, &QAction::triggered, this, &TfrmMain::Koniec1Click);
    // Modal windows open after the trigger has returned: an assistive tool that presses the
    // item must not wait inside its call until the user closes the window.
    connect(Save1, &QAction::triggered, this, &TfrmMain::Save1Click, Qt::QueuedConnection);
    connect(Ustawienia1, &QAction::triggered, this, &TfrmMain::Ustawienia1Click,
            Qt::QueuedConnection);
    connect(Oprogramie1, &QAction::triggered, this, &TfrmMain::Oprogramie1Click,
            Qt::QueuedConnection);
    connect(Changelog1, &QAction::triggered, this, &TfrmMain::Changelog1Click,
            Qt::QueuedConnection);
}

void TfrmMain::ConnectLoggingPage()
{
    connect(tsLogging->GroupBox4->btnInit, &QPushButton::clicked, this, &TfrmMain::btnInitClick);
    connect(tsLogging->GroupBox4->btnRelease, &QPushButton::clicked, this,
            &TfrmMain::btnReleaseClick);
    connect(tsLogging->cbbBaudrates, &QComboBox::activated, this, &TfrmMain::cbbBaudratesChange);
    tsLogging->gbSaveLog->Attach(Log, Acquisition, *m_clock);
    tsLogging->gbSaveLog->OnLogStarted = [this] {
        Speed.ReportState();
        tsLogging->gbLTR->ReportAlarmState();
    };
    connect(tsLogging->SpeedSim->tbSimSpeed, &QSlider::valueChanged, tsLogging->gbLTR,
            &TLtrBox::onLPTRChange);
    connect(tsLogging->SerialSources->btnSymulacja, &QPushButton::clicked, this,
            &TfrmMain::btnSymulacjaClick);
}

void TfrmMain::SubscribeToSpeedSource()
{
    Speed.Events = &Log;
    Speed.OnGpsLine = [this](const QString &line) {
        if (m_windows.frmLogCAN)
            m_windows.frmLogCAN->AddGpsLine(line);
    };
}

void TfrmMain::SetUpTimers()
{
    Timer1.setInterval(100);
    TimerCan.setInterval(50);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    TimerCan.setObjectName(QStringLiteral("TimerCan"));
    connect(&TimerCan, &QTimer::timeout, this, &TfrmMain::TimerCanTimer);
    connect(&Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    Timer1.start();
}

void TfrmMain::ShowProtocolEnv()
{
    const bool production = Acquisition.State.ProtocolEnv == TProtocolEnv::peProduction;
    tsLogging->Readouts->ShowEnvironment(production);
    tsLogging->SpeedSim->rgDemoSpeed->setVisible(production);
    tsLogging->lCANProtocol->setText(QString::fromUtf8(
        Acquisition.State.ProtocolEnv == TProtocolEnv::peProduction ? Consts::ProductionEnv
                                                                    : Consts::TestProtocol));
}

void TfrmMain::AppendCanLog(const QString &line)
{
    if (CanLogEnabled && m_windows.frmLogCAN)
        m_windows.frmLogCAN->AddCanLine(line);
}

void TfrmMain::cbbBaudratesChange()
{
    CanBaudrate = BusSpeeds::CodeOfIndex(tsLogging->cbbBaudrates->currentIndex());
}

void TfrmMain::ResetChart()
{
    tsLogging->ChartPanel->ResetChart();
}

void TfrmMain::SubscribeToAcquisition()
{
    Acquisition.OnTrafficFrame = [this](const char *prefix, const TPCANMsg &message) {
        if (m_windows.frmLogCAN)
            m_windows.frmLogCAN->AddCanFrame(prefix, message);
    };
    Acquisition.OnTrafficLine = [this](const QString &line) { AppendCanLog(line); };
    Acquisition.OnStatusCaption = [this](const QString &caption) {
        tsLogging->GroupBox4->lCANStatus->setText(caption);
    };
    Acquisition.OnChannelChanged = [this](bool open) {
        if (open) {
            TimerCan.start();
        } else {
            TimerCan.stop();
            HideStatusLabels();
        }
        tsLogging->GroupBox4->btnRelease->setEnabled(open);
        tsLogging->GroupBox4->btnInit->setEnabled(!open);
    };
    Acquisition.AddSink(Chart);
    Acquisition.AddSink(Log);
    Acquisition.SetFrameTap(&Log);
    Acquisition.SetEventSink(&Log);
}

void TfrmMain::btnInitClick()
{
    ResetChart();
    HideStatusLabels();
    cbbBaudratesChange();
    Acquisition.Connect(CanBaudrate);
}

void TfrmMain::btnReleaseClick()
{
    Acquisition.Disconnect();
}

void TfrmMain::TimerCanTimer()
{
    Acquisition.Drain();
    // The records of this tick go to the file now: a crash then costs only what the adapter
    // still holds, not also what waits for the display tick.
    tsLogging->gbSaveLog->FlushLog();
}

void TfrmMain::LoadStatusCaptions()
{
    tsLogging->gbStatus->SetCaptions(
        ::LoadStatusCaptions(SampleFilePath(QStringLiteral("opisy.ini"))));
}

void TfrmMain::HideStatusLabels()
{
    tsLogging->gbStatus->HideStatusLabels();
}

void TfrmMain::Timer1Timer()
{
    Acquisition.RunWatchdogs();
    RefreshLoggingPage();
    UpdateVisualisation();
    tsLogging->gbSaveLog->FlushLog();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // A demo run lets events through between its samples, so the close can arrive inside it:
    // the run ends first, and the window closes after it.
    if (m_demoRunning) {
        m_closeAfterDemo = true;
        event->ignore();
        return;
    }
    tsLogging->gbSaveLog->StopLogging();
    QMainWindow::closeEvent(event);
}

void TfrmMain::btnSymulacjaClick()
{
    if (m_demoRunning)
        return;
    tsLogging->gbSaveLog->StopLogging();  // a running log is closed before the run opens its own
    tsLogging->gbSaveLog->StartLogging();
    if (!Log.LogActive())
        return;
    m_demoRunning = true;
    RunDemo(Acquisition, Chart.ChartMaxPoints, quint32(QDateTime::currentMSecsSinceEpoch()),
            [this] {
                QCoreApplication::processEvents();
                return !m_closeAfterDemo;
            });
    m_demoRunning = false;
    tsLogging->gbSaveLog->StopLogging();
    tsLogging->ChartPanel->Refresh();
    if (m_closeAfterDemo)
        QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmMain::Save1Click()
{
    const QString name = ChooseLogFileName(this, Log.LogFileName);
    if (!name.isEmpty())
        Log.LogFileName = name;
}

void TfrmMain::RefreshLoggingPage()
{
    const TSensorSample &unit = Acquisition.State.Sensors[1];
    const TPictureTurns turns = PlanPictureTurns(Pictures, unit);
    if (turns.Poprzeczny)
        tsLogging->gbCar->imgPoprzeczny->SetAngle(*turns.Poprzeczny);
    if (turns.Wzdluzny)
        tsLogging->gbCar->imgWzdluzny->SetAngle(*turns.Wzdluzny);
    if (turns.VisX)
        tsVisualisation->imgVisX->SetAngle(*turns.VisX);
    if (turns.VisY)
        tsVisualisation->imgVisY->SetAngle(*turns.VisY);
    tsLogging->Readouts->ShowValues(unit, Acquisition.State.Chassis);
    tsLogging->Readouts->ShowTrackers(TrackerValuesFor(unit));
    tsLogging->gbLTR->CheckLtrAlarm();
    tsLogging->gbStatus->ShowStatus(unit.Status);
    tsLogging->gbCar->ShowLamps(unit.TiltX, unit.TiltY);
    // The chart is drawn with the display refresh, with every point appended since the last
    // one: drawing it at every CAN tick would cost twice the processor time for no visible gain.
    tsLogging->ChartPanel->Refresh();
    lHealth->Show(HealthText(Acquisition));
}

void TfrmMain::UpdateVisualisation()
{
    const TSensorSample &unit = Acquisition.State.Sensors[1];
    tsVisualisation->ShowValues(unit.TiltX, unit.TiltY, unit.Status);
    tsVisualisation->ShowZones(ZoneOfTiltX(unit.TiltX), ZoneOfTiltY(unit.TiltY));
}

void TfrmMain::tsCalibrationShow()
{
    tsCalibration->EnableRequests(Acquisition.State.SensorOnline);
}

void TfrmMain::Koniec1Click()
{
    close();
}

void TfrmMain::Oprogramie1Click()
{
    if (m_windows.frmSplashScreen)
        m_windows.frmSplashScreen->exec();
}

void TfrmMain::Changelog1Click()
{
    if (m_windows.frmChangeLog)
        m_windows.frmChangeLog->exec();
}

void TfrmMain::menuLogCanClick()
{
    if (m_windows.frmLogCAN) {
        m_windows.frmLogCAN->show();
        m_windows.frmLogCAN->raise();
    }
}

void TfrmMain::Ustawienia1Click()
{
    if (!m_windows.frmSettings)
        return;
    TFrmSettings &dialog = *m_windows.frmSettings;
    dialog.Load({tsLogging->cbbBaudrates->currentIndex(), Acquisition.State.CanId1,
                 Acquisition.State.CanId2, Acquisition.State.CanId3, Acquisition.State.ChassisCanId,
                 Acquisition.State.ProtocolEnv, Log.LogFileName});
    if (dialog.exec() != QDialog::Accepted)
        return;

    const TSettings settings = dialog.Values();
    // Set without the change handler: the new speed is taken at the next Connect.
    tsLogging->cbbBaudrates->setCurrentIndex(settings.BaudrateIndex);
    Acquisition.State.CanId1 = settings.CanId1;
    Acquisition.State.CanId2 = settings.CanId2;
    Acquisition.State.CanId3 = settings.CanId3;
    Acquisition.State.ProtocolEnv = settings.ProtocolEnv;
    Acquisition.State.ChassisCanId = settings.ChassisCanId;
    ShowProtocolEnv();
    tsLogging->gbSaveLog->StopLogging();
    Log.SetBaseName(settings.LogFileName);
}
