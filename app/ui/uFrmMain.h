#pragma once
// The main window: owns the run-time state, the menu, the three pages and the display and
// channel timers, and wires the Logging page's groups to the program.

#include "acquisition/uAcquisition.h"
#include "app/uCommandLine.h"
#include "base/uClock.h"
#include "display/uChartModel.h"
#include "display/uDisplayRules.h"
#include "display/uLtrAlarm.h"
#include "log/uLogFormat.h"
#include "log/uLogSession.h"
#include "speed/uSpeedSource.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;
class QWidget;
class TCalibrationPage;
class TFrmChangeLog;
class TFrmLogCAN;
class TFrmSettings;
class TGradientTabWidget;
class THealthLine;
class TLoggingPage;
class TReplay;
class TReplayBar;
class TVisualisationPage;
class TfrmSplashScreen;

// What tests replace: the clock and the alarm sound. Null means the real one.
struct TMainSeams {
    const TClock *clock = nullptr;
    TAlarmSound *sound = nullptr;
};

struct TSecondaryWindows {
    TfrmSplashScreen *frmSplashScreen = nullptr;
    TFrmSettings *frmSettings = nullptr;
    TFrmChangeLog *frmChangeLog = nullptr;
    TFrmLogCAN *frmLogCAN = nullptr;
};

class TfrmMain : public QMainWindow
{
    Q_OBJECT
    // First: the acquisition below keeps the clock.
    std::unique_ptr<TClock> m_ownClock;
    const TClock *m_clock = nullptr;

public:
    explicit TfrmMain(const TCommandLine &commandLine, TMainSeams seams = {},
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The windows created after this one; the menu shows them.
    void SetSecondaryWindows(const TSecondaryWindows &windows);

    // Run-time state, set by FormCreate.
    TLogSession Log{*m_clock};  // also the events record's sink
    bool CanLogEnabled = false;
    TAcquisition Acquisition{*m_clock};
    TChartModel Chart;  // holds ChartMaxPoints
    TPictureState Pictures;
    TPCANBaudrate CanBaudrate = 0;
    TSpeedSource Speed{Acquisition};  // the speed the program puts on the bus

    // Menu.
    QMenu *Plik1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *menuLogCan = nullptr;
    QAction *menuKeepRawTrace = nullptr;  // from the next Start on, for this run
    QAction *N1 = nullptr;
    QAction *Koniec1 = nullptr;
    QAction *Ustawienia1 = nullptr;
    QMenu *Pomoc1 = nullptr;
    QAction *Oprogramie1 = nullptr;
    QAction *Changelog1 = nullptr;

    // Pages.
    TGradientTabWidget *PageControl1 = nullptr;
    TLoggingPage *tsLogging = nullptr;
    TVisualisationPage *tsVisualisation = nullptr;
    TCalibrationPage *tsCalibration = nullptr;

    QTimer Timer1;    // 100 ms, display refresh and watchdogs
    QTimer TimerCan;  // 50 ms, drains the adapter while connected

    // Handlers.
    void btnInitClick();
    void btnReleaseClick();
    void cbbBaudratesChange();
    void TimerCanTimer();
    void Timer1Timer();
    void tsCalibrationShow();
    void btnSymulacjaClick();
    void Koniec1Click();
    void Oprogramie1Click();
    void Changelog1Click();
    void menuLogCanClick();
    void Ustawienia1Click();
    void Save1Click();

    void AppendCanLog(const QString &line);
    void ShowProtocolEnv();
    void ResetChart();
    void UpdateVisualisation();
    void LoadStatusCaptions();
    void HideStatusLabels();
    // A replay's bar, for --can=replay:FILE; the replay must outlive the window.
    void AttachReplay(TReplay &replay);
    TReplayBar *ReplayBar = nullptr;
    THealthLine *lHealth = nullptr;  // in the status bar

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate(const TCommandLine &commandLine);
    void BuildUi();
    void BuildMenu();
    void ConnectLoggingPage();
    void SubscribeToSpeedSource();
    void SetUpTimers();
    void SubscribeToAcquisition();
    void RefreshLoggingPage();

    TSecondaryWindows m_windows;
    std::unique_ptr<TAlarmSound> m_ownSound;
    bool m_demoRunning = false;
    bool m_closeAfterDemo = false;  // the window was closed during a demo run
};
