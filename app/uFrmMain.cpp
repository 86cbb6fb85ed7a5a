#include "app/uFrmMain.h"

#include "app/uConsts.h"
#include "app/uFrmChangeLog.h"
#include "app/uFrmSplashScreen.h"
#include "app/uLook.h"
#include "can/uBusSpeeds.h"
#include "can/uCanBackend.h"
#include "can/uCanBusBox.h"
#include "can/uFrmLogCAN.h"
#include "settings/uFrmSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmMain::TfrmMain(const TCommandLine &commandLine, QWidget *parent) : QMainWindow(parent)
{
    BuildUi();
    SetUpTimers();
    FormCreate(commandLine);
}

void TfrmMain::SetSecondaryWindows(const TSecondaryWindows &windows)
{
    m_windows = windows;
}

void TfrmMain::FormCreate(const TCommandLine &commandLine)
{
    LogFileName = QStringLiteral("log.csv");
    LogFileIndex = 0;
    LogActive = false;
    ChartMaxPoints = 1500;
    Acquisition = TAcquisitionState{};  // production identifiers and environment
    ShowProtocolEnv();
    CanLogEnabled = commandLine.CanLogEnabled;
    menuLogCan->setVisible(CanLogEnabled);

    // Simulated values must never be taken for measurements.
    TCanBackend backend;
    if (TCanBackend::Parse(commandLine.CanBackend, backend) && backend.Simulated)
        setWindowTitle(QString::fromUtf8(Consts::AppTitle) + QString::fromUtf8(Consts::SimulatedTitleSuffix));
}

void TfrmMain::BuildUi()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(Consts::AppTitle));
    BuildMenu();

    PageControl1 = new TGradientTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    tsLogging = BuildLoggingPage();
    tsVisualisation = new QWidget;
    tsVisualisation->setObjectName(QStringLiteral("tsVisualisation"));
    tsCalibration = new QWidget;
    tsCalibration->setObjectName(QStringLiteral("tsCalibration"));
    PageControl1->addTab(tsLogging, QStringLiteral("Logging"));
    PageControl1->addTab(tsVisualisation, QStringLiteral("Visualisation"));
    PageControl1->addTab(tsCalibration, QStringLiteral("Calibration"));
    PageControl1->setCurrentWidget(tsLogging);

    auto *background = new QWidget(this);
    background->setObjectName(QStringLiteral("GradientBackground"));
    background->setStyleSheet(Look::GradientWindowStyle());
    auto *layout = new QVBoxLayout(background);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    setCentralWidget(background);

    // Design size of the client area; the window may grow, and shrink to its minimum.
    setMinimumSize(1024, 716);
    resize(1137, 692 + menuBar()->sizeHint().height());
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
    N1 = Plik1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Koniec1 = makeAction(Plik1, QStringLiteral("Close"), "Koniec1");

    Ustawienia1 = makeAction(nullptr, QStringLiteral("Settings"), "Ustawienia1");

    Pomoc1 = menuBar()->addMenu(QStringLiteral("Help"));
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    Oprogramie1 = makeAction(Pomoc1, QStringLiteral("About"), "Oprogramie1");
    Changelog1 = makeAction(Pomoc1, QStringLiteral("Changelog"), "Changelog1");

    connect(menuLogCan, &QAction::triggered, this, &TfrmMain::menuLogCanClick);
    connect(Koniec1, &QAction::triggered, this, &TfrmMain::Koniec1Click);
    connect(Ustawienia1, &QAction::triggered, this, &TfrmMain::Ustawienia1Click);
    connect(Oprogramie1, &QAction::triggered, this, &TfrmMain::Oprogramie1Click);
    connect(Changelog1, &QAction::triggered, this, &TfrmMain::Changelog1Click);
}

QWidget *TfrmMain::BuildLoggingPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsLogging"));

    GroupBox4 = new TCanBusBox(page);
    connect(GroupBox4->btnInit, &QPushButton::clicked, this, &TfrmMain::btnInitClick);
    connect(GroupBox4->btnRelease, &QPushButton::clicked, this, &TfrmMain::btnReleaseClick);

    cbbBaudrates = new QComboBox(page);
    cbbBaudrates->setObjectName(QStringLiteral("cbbBaudrates"));
    cbbBaudrates->addItems(BusSpeeds::Captions());
    cbbBaudrates->setCurrentIndex(BusSpeeds::DefaultIndex);
    cbbBaudrates->setVisible(false);
    connect(cbbBaudrates, &QComboBox::activated, this, &TfrmMain::cbbBaudratesChange);

    lCANProtocol = new QLabel(QString::fromUtf8(Consts::ProtocolVariant), page);
    lCANProtocol->setObjectName(QStringLiteral("lCANProtocol"));
    lCANProtocol->setAlignment(Qt::AlignCenter);
    lCANProtocol->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    Look::MakeValueLabel(lCANProtocol, QStringLiteral("Protocol variant"));

    Image1 = new QLabel(page);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Logo"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/assets/logo.svg")));
    Image1->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    auto *left = new QVBoxLayout;
    left->addWidget(GroupBox4);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addStretch(1);
    right->addWidget(lCANProtocol);
    right->addWidget(Image1, 0, Qt::AlignRight | Qt::AlignBottom);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addStretch(1);
    layout->addLayout(right);
    return page;
}

void TfrmMain::SetUpTimers()
{
    Timer1.setInterval(100);
    TimerCan.setInterval(50);
    TimerLTR.setInterval(3000);
    TimerSimSpeed.setInterval(20);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    TimerCan.setObjectName(QStringLiteral("TimerCan"));
    TimerLTR.setObjectName(QStringLiteral("TimerLTR"));
    TimerSimSpeed.setObjectName(QStringLiteral("TimerSimSpeed"));
    connect(&TimerCan, &QTimer::timeout, this, &TfrmMain::TimerCanTimer);
    Timer1.start();
}

void TfrmMain::ShowProtocolEnv()
{
    lCANProtocol->setText(QString::fromUtf8(Acquisition.ProtocolEnv == TProtocolEnv::peProduction
                                                ? Consts::ProductionEnv
                                                : Consts::TestProtocol));
}

void TfrmMain::AppendCanLog(const QString &line)
{
    if (CanLogEnabled && m_windows.frmLogCAN)
        m_windows.frmLogCAN->AddCanLine(line);
}

void TfrmMain::cbbBaudratesChange()
{
    CanBaudrate = BusSpeeds::CodeOfIndex(cbbBaudrates->currentIndex());
}

void TfrmMain::btnInitClick()
{
    ClearSensorValues(Acquisition);
    cbbBaudratesChange();
    CanChannel = PCAN_USBBUS1;
    const TPCANStatus status = TPCANBasic::Initialize(CanChannel, CanBaudrate, PCAN_TYPE_ISA, 0, 0);
    if (status != PCAN_ERROR_OK) {
        qWarning().noquote() << "CAN channel could not be opened:" << TPCANBasic::LastErrorText();
        AppendCanLog(QString::fromUtf8(Consts::LineOpenFailed));
        return;
    }
    TimerCan.start();
    GroupBox4->btnRelease->setEnabled(true);
    GroupBox4->btnInit->setEnabled(false);
    AppendCanLog(QString::fromUtf8(Consts::LineConnected));
}

void TfrmMain::btnReleaseClick()
{
    TimerCan.stop();
    GroupBox4->btnRelease->setEnabled(false);
    GroupBox4->btnInit->setEnabled(true);
    TPCANBasic::Uninitialize(CanChannel);
    AppendCanLog(QString::fromUtf8(Consts::LineDisconnected));
    GroupBox4->lCANStatus->setText(QString::fromUtf8(Consts::StatusOffline));
    Acquisition.SensorOnline = false;
    ClearSensorValues(Acquisition);
}

void TfrmMain::TimerCanTimer()
{
    // Drains the queue completely; any failure other than an empty queue ends the tick so
    // that a broken adapter can never hold the window.
    TPCANMsg message;
    TPCANTimestamp timestamp;
    while (GroupBox4->btnRelease->isEnabled()) {
        if (TPCANBasic::Read(CanChannel, message, timestamp) != PCAN_ERROR_OK)
            break;
    }
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
    if (m_windows.frmSettings)
        m_windows.frmSettings->exec();
}
