#include "app/ui/uFrmMain.h"

#include "acquisition/uHealthText.h"
#include "acquisition/ui/uCalibrationPage.h"
#include "acquisition/ui/uFrmLogCAN.h"
#include "acquisition/ui/uHealthLine.h"
#include "adapter/uBusSpeeds.h"
#include "adapter/ui/uCanBusBox.h"
#include "app/uCommands.h"
#include "app/ui/uFrmChangeLog.h"
#include "app/ui/uFrmSplashScreen.h"
#include "app/ui/uLoggingPage.h"
#include "base/uConsts.h"
#include "display/ui/uAlertSound.h"
#include "display/ui/uChartPanel.h"
#include "display/ui/uVisualisationPage.h"
#include "log/uLogStatus.h"
#include "log/ui/uLogBox.h"
#include "log/ui/uLogFileDialog.h"
#include "report/ui/uReportMaker.h"
#include "session/uAdapterChoice.h"
#include "session/uCanBackend.h"
#include "settings/ui/uFrmSettings.h"
#include "speed/uDemoRun.h"
#include "speed/ui/uSerialSourceBox.h"
#include "trace/uReplayTimeLine.h"
#include "trace/ui/uReplayBar.h"
#include "widgets/uLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

TfrmMain::TfrmMain(const TCommandLine &commandLine, TMainSeams seams, QWidget *parent)
    : QMainWindow(parent), m_ownClock(seams.clock ? nullptr : std::make_unique<TClock>()),
      m_clock(seams.clock ? seams.clock : m_ownClock.get()),
      m_ownSound(seams.sound ? nullptr : std::make_unique<TAlertSound>()),
      m_session(std::make_unique<TProgramSession>(*m_clock)),
      m_findAdapters(seams.findAdapters ? std::move(seams.findAdapters)
                                        : [] { return FindAdapters(SystemAdapterSearch()); })
{
    m_canLogEnabled = commandLine.CanLogEnabled;
    m_chart.ChartMaxPoints = 1500;
    m_session->Acquisition.TrafficWanted = m_canLogEnabled;
    m_session->Acquisition.AddSink(m_chart);
    m_session->WatchLtr(seams.sound ? *seams.sound : *m_ownSound);
    if (TCanBackend::Parse(commandLine.CanBackend, m_session->Adapter))
        m_session->Adapter.Drops = commandLine.Drops;
    BuildUi();
    FollowSession();
    ShowBackend();
    m_session->StartTicks();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::SetSecondaryWindows(const TSecondaryWindows &windows)
{
    m_windows = windows;
    if (windows.frmSettings) {
        m_session->Log.FollowTicks(windows.frmSettings->LogTicks());
        connect(windows.frmSettings, &TFrmSettings::LogTicksChanged, this,
                [this](const TLogTicks &ticks) { m_session->Log.FollowTicks(ticks); });
    }
}

// Simulated and replayed values must never be taken for a live measurement.
void TfrmMain::ShowBackend()
{
    const TCanBackend &backend = m_session->Adapter;
    const QString title = QString::fromUtf8(Consts::AppTitle);
    if (backend.Simulated)
        setWindowTitle(title + QString::fromUtf8(Consts::SimulatedTitleSuffix));
    else if (!backend.TraceFile.isEmpty())
        setWindowTitle(
            QStringLiteral("%1 (replay: %2)").arg(title, QFileInfo(backend.TraceFile).fileName()));
    else
        setWindowTitle(title);
    const QString inUse = AdapterInUse(backend);
    m_pages.lAdapter->setText(inUse.isEmpty() ? QString()
                                              : QStringLiteral("Adapter: %1").arg(inUse));
}

void TfrmMain::AttachReplay(TReplay &replay)
{
    TAcquisition &acquisition = m_session->Acquisition;
    m_pages.ReplayBar =
        new TReplayBar(replay, [&acquisition] { return acquisition.ChannelOpen(); }, this);
    addToolBar(Qt::BottomToolBarArea, m_pages.ReplayBar);
    auto *timeLine = new TReplayTimeLine(replay, acquisition, &m_session->Log, this);
    timeLine->LogRunning = [this] { return m_session->Log.LogActive(); };
    timeLine->StopLog = [this] { m_pages.tsLogging->gbSaveLog->StopLogging(); };
    connect(&m_session->Timer1, &QTimer::timeout, timeLine,
            [timeLine] { timeLine->Tick(SteadyUs()); });
}

void TfrmMain::BuildUi()
{
    setObjectName(QStringLiteral("frmMain"));
    m_menu = BuildMainMenu(*menuBar());
    m_menu.menuLogCan->setVisible(m_canLogEnabled);
    m_menu.menuKeepRawTrace->setChecked(m_session->Log.KeepRawTrace);
    ConnectMenu();

    auto *pages = new TGradientTabWidget(this);
    m_pages.PageControl1 = pages;
    pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages.tsLogging = new TLoggingPage(m_chart, *m_session);
    connect(m_pages.tsLogging->GroupBox4->btnInit, &QPushButton::clicked, this,
            &TfrmMain::btnInitClick);
    connect(m_pages.tsLogging->GroupBox4->btnRelease, &QPushButton::clicked, this,
            &TfrmMain::btnReleaseClick);
    connect(m_pages.tsLogging->SerialSources->btnSymulacja, &QPushButton::clicked, this,
            &TfrmMain::btnSymulacjaClick);
    connect(m_pages.tsLogging->gbSaveLog->btnDriveReport, &QPushButton::clicked, this,
            &TfrmMain::DriveReportClick, Qt::QueuedConnection);
    m_pages.tsVisualisation = new TVisualisationPage;
    m_pages.tsCalibration = new TCalibrationPage;
    m_pages.tsCalibration->Attach(m_session->Acquisition, &m_session->Log);
    pages->addTab(m_pages.tsLogging, QStringLiteral("Logging"));
    pages->addTab(m_pages.tsVisualisation, QStringLiteral("Visualisation"));
    pages->addTab(m_pages.tsCalibration, QStringLiteral("Calibration"));
    pages->setCurrentWidget(m_pages.tsLogging);
    connect(pages, &QTabWidget::currentChanged, this, [this] {
        if (m_pages.PageControl1->currentWidget() == m_pages.tsCalibration)
            tsCalibrationShow();
    });
    ShowProtocolEnv();

    auto *background = new TGradientBackground(this);
    auto *layout = new QVBoxLayout(background);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pages);
    setCentralWidget(background);
    m_pages.lHealth = new THealthLine;
    statusBar()->addWidget(m_pages.lHealth, 1);
    m_pages.lAlarm = new QLabel;
    m_pages.lAlarm->setObjectName(QStringLiteral("lAlarm"));
    Look::MakeValueLabel(m_pages.lAlarm, QStringLiteral("LTR alarm"));
    Look::SetBold(m_pages.lAlarm);
    Look::SetTextColour(m_pages.lAlarm, QColor(200, 0, 0));
    statusBar()->addPermanentWidget(m_pages.lAlarm);
    m_pages.lLog = new QLabel;
    m_pages.lLog->setObjectName(QStringLiteral("lLog"));
    Look::MakeValueLabel(m_pages.lLog, QStringLiteral("Log"));
    statusBar()->addPermanentWidget(m_pages.lLog);
    m_pages.lAdapter = new QLabel;
    m_pages.lAdapter->setObjectName(QStringLiteral("lAdapter"));
    m_pages.lAdapter->setToolTip(
        QStringLiteral("The CAN adapter Connect opens; choose it in Settings"));
    statusBar()->addPermanentWidget(m_pages.lAdapter);

    // Design size of the client area; the window may grow, and shrink to its minimum.
    setMinimumSize(1024, 716);
    resize(1137, 692 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmMain::ConnectMenu()
{
    connect(m_menu.menuLogCan, &QAction::triggered, this, &TfrmMain::menuLogCanClick);
    connect(m_menu.menuKeepRawTrace, &QAction::toggled, this,
            [this](bool keep) { m_session->Log.KeepRawTrace = keep; });
    connect(m_menu.Koniec1, &QAction::triggered, this, &QWidget::close);
    // Modal windows open after the trigger has returned: an assistive tool that presses the
    // item must not wait inside its call until the user closes the window.
    connect(m_menu.Save1, &QAction::triggered, this, &TfrmMain::Save1Click, Qt::QueuedConnection);
    connect(m_menu.menuDriveReport, &QAction::triggered, this, &TfrmMain::DriveReportClick,
            Qt::QueuedConnection);
    connect(m_menu.Ustawienia1, &QAction::triggered, this, &TfrmMain::Ustawienia1Click,
            Qt::QueuedConnection);
    connect(m_menu.Oprogramie1, &QAction::triggered, this,
            [this] { Open(m_windows.frmSplashScreen); }, Qt::QueuedConnection);
    connect(m_menu.Changelog1, &QAction::triggered, this,
            [this] { Open(m_windows.frmChangeLog); }, Qt::QueuedConnection);
}

template <typename TWindow> void TfrmMain::Open(TWindow *window)
{
    if (window)
        window->exec();
}

void TfrmMain::FollowSession()
{
    TProgramSession &session = *m_session;
    session.Speed.OnGpsLine = [this](const QString &line) {
        if (m_windows.frmLogCAN)
            m_windows.frmLogCAN->AddGpsLine(line);
    };
    session.Acquisition.OnTrafficFrame = [this](const char *prefix, const TPCANMsg &message) {
        if (m_windows.frmLogCAN)
            m_windows.frmLogCAN->AddCanFrame(prefix, message);
    };
    session.Acquisition.OnTrafficLine = [this](const QString &line) {
        if (m_canLogEnabled && m_windows.frmLogCAN)
            m_windows.frmLogCAN->AddCanLine(line);
    };
    session.Acquisition.OnStatusCaption = [this](const QString &caption) {
        m_pages.tsLogging->GroupBox4->lCANStatus->setText(caption);
    };
    session.OnChannelChanged = [this](bool open) { ShowChannel(open); };
    session.OnLogFailed = [this](const QString &error) {
        m_pages.tsLogging->gbSaveLog->LogFailed(error);
    };
    session.OnDisplayTick = [this] { RefreshPages(); };
}

void TfrmMain::ShowChannel(bool open)
{
    if (!open)
        m_pages.tsLogging->ClearStatus();
    m_pages.tsLogging->GroupBox4->btnRelease->setEnabled(open);
    m_pages.tsLogging->GroupBox4->btnInit->setEnabled(!open);
}

void TfrmMain::ShowProtocolEnv()
{
    m_pages.tsLogging->ShowProtocolEnv(m_session->Acquisition.State.ProtocolEnv);
}

void TfrmMain::btnInitClick()
{
    m_pages.tsLogging->ChartPanel->ResetChart();
    m_pages.tsLogging->ClearStatus();
    m_session->CanBaudrate =
        BusSpeeds::CodeOfIndex(m_pages.tsLogging->cbbBaudrates->currentIndex());
    m_session->Connect();
}

void TfrmMain::btnReleaseClick()
{
    m_session->Disconnect();
}

void TfrmMain::RefreshPages()
{
    const TSensorSample &unit = m_session->Acquisition.State.Sensors[1];
    const TPictureTurns turns = PlanPictureTurns(m_pictures, unit);
    m_pages.tsLogging->ShowState(m_session->Acquisition.State, turns);
    m_pages.tsVisualisation->ShowUnit(unit, turns);
    m_pages.lHealth->Show(HealthText(m_session->Acquisition));
    if (const TLtrWatch *ltr = m_session->Ltr())
        if (const QString sign = ltr->AlarmSign(); sign != m_pages.lAlarm->text())
            m_pages.lAlarm->setText(sign);
    ShowLogStatus();
    const bool reportable = !m_session->LastLog.isEmpty();
    m_menu.menuDriveReport->setEnabled(reportable);
    m_pages.tsLogging->gbSaveLog->btnDriveReport->setEnabled(reportable);
}

void TfrmMain::ShowLogStatus()
{
    if (m_session->Log.LogActive())
        m_logEnded.clear();
    const TLogStatus status = LogStatus(m_session->Log, m_clock->MonotonicMs(), m_logEnded);
    // Set only when changed: the bar would otherwise lay itself out ten times a second.
    if (status.Text != m_pages.lLog->text())
        m_pages.lLog->setText(status.Text);
    if (status.ToolTip != m_pages.lLog->toolTip())
        m_pages.lLog->setToolTip(status.ToolTip);
}

void TfrmMain::tsCalibrationShow()
{
    m_pages.tsCalibration->EnableRequests(m_session->Acquisition.State.SensorOnline);
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
    m_pages.tsLogging->gbSaveLog->StopLogging();
    QMainWindow::closeEvent(event);
}

void TfrmMain::btnSymulacjaClick()
{
    if (m_demoRunning)
        return;
    TLogBox &logBox = *m_pages.tsLogging->gbSaveLog;
    logBox.StopLogging();  // a running log is closed before the run opens its own
    logBox.StartLogging();
    if (!m_session->Log.LogActive())
        return;
    m_demoRunning = true;
    RunDemo(m_session->Acquisition, m_chart.ChartMaxPoints,
            quint32(QDateTime::currentMSecsSinceEpoch()), [this] {
                QCoreApplication::processEvents();
                return !m_closeAfterDemo;
            });
    m_demoRunning = false;
    logBox.StopLogging();
    m_pages.tsLogging->ChartPanel->Refresh();
    if (m_closeAfterDemo)
        QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmMain::Save1Click()
{
    const QString name = ChooseLogFileName(this, m_session->Log.LogFileName);
    if (name.isEmpty())
        return;
    m_session->Log.LogFileName = name;
    ShowLogStatus();  // the next log's name and folder, at once
}

void TfrmMain::DriveReportClick()
{
    const QString log = m_session->LastLog;
    if (log.isEmpty())
        return;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Drive report"), BesideWithSuffix(log, QStringLiteral(".pdf")),
        QStringLiteral("PDF (*.pdf);;Image of the first page (*.png)"));
    if (path.isEmpty())
        return;
    m_pages.tsLogging->gbSaveLog->btnDriveReport->setText(QStringLiteral("Writing the report…"));
    WriteDriveReportInBackground(this, log, path, [this, path](const QString &error) {
        m_pages.tsLogging->gbSaveLog->btnDriveReport->setText(QStringLiteral("Drive report…"));
        if (!error.isEmpty()) {
            QMessageBox::critical(this, QString::fromUtf8(Consts::AppTitle), error);
            return;
        }
        QMessageBox box(QMessageBox::Information, QString::fromUtf8(Consts::AppTitle),
                        QStringLiteral("The drive report is written:\n%1")
                            .arg(QDir::toNativeSeparators(path)),
                        QMessageBox::Close, this);
        const QPushButton *open = box.addButton(QStringLiteral("Open"), QMessageBox::AcceptRole);
        box.exec();
        if (box.clickedButton() == open)
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    });
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
    const TSettings current = m_session->Settings(m_pages.tsLogging->cbbBaudrates->currentIndex());
    dialog.Load(current, OfferAdapters(m_findAdapters(), current.CanBackend));
    dialog.ShowRunningLog(m_session->Log.LogActive()
                              ? QFileInfo(m_session->Log.FileName()).fileName()
                              : QString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const TSettings settings = dialog.Values();
    // Set without the change handler: the new speed is taken at the next Connect.
    m_pages.tsLogging->cbbBaudrates->setCurrentIndex(settings.BaudrateIndex);
    if (m_session->Log.LogActive()) {
        const QString ended = QFileInfo(m_session->Log.FileName()).fileName();
        m_session->Log.StopReason = QStringLiteral("ended by OK in Settings");
        m_pages.tsLogging->gbSaveLog->StopLogging();
        m_logEnded = QStringLiteral("%1 ended by OK in Settings").arg(ended);
    }
    m_session->ApplySettings(settings);
    ShowProtocolEnv();
    ShowBackend();
    ShowLogStatus();
}
